#include "world/record_file.h"

#include <charconv>

#include "world/error.h"
#include "world/list_io.h"

namespace teijinki {

int field_lines(RecordKind kind) {
    switch (kind) {
        case RecordKind::General: return 5;
        case RecordKind::Warlord: return 3;
        case RecordKind::Province: return 2;
    }
    return 0;
}

int number_items(RecordKind kind) { return kind == RecordKind::Province ? 2 : 8; }

namespace {

// The first item of a line, as the list reader would see it.
bool line_is_marker(std::string_view line, int& id) {
    const std::size_t i = line.find_first_not_of(" \t");
    if (i == std::string_view::npos || line[i] != '.') return false;
    std::size_t end = line.find(',', i);
    if (end == std::string_view::npos) end = line.size();
    id = marker_id(line.substr(i, end - i));
    return true;
}

// The lines of a text from a position on, each without its line end (CR LF, LF or a lone CR).
class LineCursor {
public:
    LineCursor(std::string_view text, std::size_t pos) : text_(text), pos_(pos) {}
    bool next(std::string_view& line) {
        const std::size_t size = text_.size();
        if (pos_ >= size) return false;
        std::size_t end = pos_;
        while (end < size && text_[end] != '\r' && text_[end] != '\n') ++end;
        line = text_.substr(pos_, end - pos_);
        pos_ = end;
        if (pos_ < size && text_[pos_] == '\r') ++pos_;
        if (pos_ < size && text_[pos_] == '\n') ++pos_;
        return true;
    }
    // The field lines after a marker; false when the text ends first.
    bool fields(int count, FieldLines& out) {
        out.clear();
        std::string_view line;
        for (int k = 0; k < count; ++k) {
            if (!next(line)) return false;
            out.push_back(line);
        }
        return true;
    }
    std::size_t pos() const { return pos_; }

private:
    std::string_view text_;
    std::size_t pos_;
};

// A view of one text moved to the same place in another text, `shift` bytes further on.
std::string_view moved(std::string_view view, const char* from, const char* to, std::ptrdiff_t shift) {
    if (view.data() == nullptr) return view;  // an item the record lacks points nowhere
    return {to + (view.data() - from) + shift, view.size()};
}

constexpr std::array<const char*, 8> kGeneralNumbers{"policy", "fight", "wisdom", "tactics",
                                                     "charm",  "Setu",  "kunID",  "Job"};
constexpr std::array<const char*, 8> kWarlordNumbers{"meishuID", "kunshuID", "army",    "seihei",
                                                     "meisei",   "tian",     "kessoku", "ifu"};
constexpr std::array<const char*, 2> kProvinceNumbers{"gunID", "army"};

[[noreturn]] void refuse_number(const RecordItems& record, const std::string& label, const char* field) {
    throw DataError(label, std::string(field) + " is not a number (\"" + std::string(record.bad_text) + "\")", record.id);
}

// Number k (from 1) of a record; a number item that is not a number is refused as a list reader
// refuses it, naming the field.
template <std::size_t N>
inline std::int16_t number_at(const RecordItems& record, const std::string& label,
                              const std::array<const char*, N>& names, int k) {
    if (record.bad_number == k) [[unlikely]]
        refuse_number(record, label, names[static_cast<std::size_t>(k - 1)]);
    return record.numbers[static_cast<std::size_t>(k - 1)];
}

}  // namespace

RecordItems read_items(const RecordLines& record, RecordKind kind) {
    RecordItems out;
    static_cast<RecordLines&>(out) = record;
    // The items run on from line to line, as a list reader reads them; the ones a record lacks
    // read as empty.
    const int n = number_items(kind);
    const std::size_t wanted = static_cast<std::size_t>(n) + (kind == RecordKind::Province ? 1 : 2);
    std::array<std::string_view, 10> items{};
    std::size_t got = 0;
    for (const std::string_view line : record.fields) {
        if (got >= wanted) break;
        got += std::min(line_items(line, items.data() + got, wanted - got), wanted - got);
    }
    out.name = items[0];
    for (int k = 1; k <= n; ++k) {
        const std::string_view item = items[static_cast<std::size_t>(k)];
        std::int16_t value = 0;
        if (!parse_number(item, value) && out.bad_number == 0) {
            out.bad_number = k;
            out.bad_text = item;
        }
        out.numbers[static_cast<std::size_t>(k - 1)] = value;
    }
    if (kind != RecordKind::Province) out.last = items[static_cast<std::size_t>(n) + 1];
    return out;
}

RecordSet::RecordSet(std::string_view text, RecordKind kind, std::string label) : text_(text), label_(std::move(label)) {
    records_.reserve(text.size() / 40);
    try {
        scan_records(text, kind, label_, [&](const RecordLines& record) {
            records_.push_back(read_items(record, kind));
            return true;
        });
    } catch (const DataError& e) {
        fault_ = e;
    }
}

std::shared_ptr<const RecordSet> RecordSet::following(const RecordSet& before, std::string_view text, RecordKind kind,
                                                      const std::vector<Placed>& placed) {
    // The records must tile the text: each starts where the one before ended, the last at its end.
    if (placed.empty() ? !text.empty() : placed.front().start != 0 || placed.back().end != text.size()) return nullptr;
    std::shared_ptr<RecordSet> set(new RecordSet(text, before.label_));
    set->records_.reserve(placed.size());
    const std::string_view old_text = before.text_;
    const int n_fields = field_lines(kind);
    std::size_t at = 0;
    for (const Placed& p : placed) {
        if (p.start != at || p.end < p.start) return nullptr;
        at = p.end;
        const RecordItems& from = *p.from;
        const std::size_t length = p.end - p.start;
        // The old record's own stretch, up to the CR LF that ends its last line.
        const auto old_start = static_cast<std::size_t>(from.marker.data() - old_text.data());
        const auto old_end = static_cast<std::size_t>(from.fields.back().data() + from.fields.back().size() -
                                                      old_text.data()) + 2;
        if (old_end - old_start == length && old_end <= old_text.size() && old_text.substr(old_end - 2, 2) == "\r\n" &&
            text.compare(p.start, length, old_text.substr(old_start, length)) == 0) {
            // The same bytes read the same: the items move with them.
            const char* o = old_text.data();
            const char* n = text.data();
            const auto shift = static_cast<std::ptrdiff_t>(p.start) - static_cast<std::ptrdiff_t>(old_start);
            RecordItems r = from;
            r.marker = moved(r.marker, o, n, shift);
            for (std::size_t k = 0; k < r.fields.size(); ++k) r.fields[k] = moved(r.fields[k], o, n, shift);
            r.name = moved(r.name, o, n, shift);
            r.bad_text = moved(r.bad_text, o, n, shift);
            r.last = moved(r.last, o, n, shift);
            set->records_.push_back(r);
            continue;
        }
        // Written anew: read as a scan of the whole text would read it, or give up.
        LineCursor cursor(text, p.start);
        RecordLines lines;
        int id = 0;
        if (!cursor.next(lines.marker) || !line_is_marker(lines.marker, id) || id != from.id ||
            !cursor.fields(n_fields, lines.fields) || cursor.pos() != p.end)
            return nullptr;
        lines.id = id;
        set->records_.push_back(read_items(lines, kind));
    }
    return set;
}

void RecordSet::visit(const std::function<bool(const RecordItems&)>& visit) const {
    for (const RecordItems& record : records_)
        if (!visit(record)) return;
    if (fault_) throw *fault_;
}

namespace {

// The record set of one version of a file: made by make() unless that version already has one.
std::shared_ptr<const RecordSet> records_of(const std::shared_ptr<const FileText>& file, RecordKind kind,
                                            const std::function<std::shared_ptr<const RecordSet>()>& make) {
    return file->derived<RecordSet>(file, static_cast<int>(kind), make);
}

}  // namespace

std::shared_ptr<const RecordSet> current_records(const GameFolder& folder, std::string_view literal, RecordKind kind) {
    const std::shared_ptr<const FileText> file = folder.read_shared(literal);
    return records_of(file, kind, [&] {
        return std::make_shared<const RecordSet>(file->text(), kind, GameFolder::display_name(literal));
    });
}

void scan_records(std::string_view text, RecordKind kind, const std::string& label,
                  const std::function<bool(const RecordLines&)>& visit) {
    const int n_fields = field_lines(kind);
    LineCursor cursor(text, 0);
    RecordLines record;
    std::string_view line;
    bool first = true;
    while (cursor.next(line)) {
        int id = 0;
        if (!line_is_marker(line, id)) continue;
        // Every writer puts the records in ascending order; a repeated or earlier id means the
        // file was edited or damaged, and a reader would otherwise pick the wrong record.
        if (!first && id <= record.id)
            throw DataError(label, "record out of order: it follows record " + std::to_string(record.id), id);
        first = false;
        record.id = id;
        record.marker = line;
        if (!cursor.fields(n_fields, record.fields)) throw DataError(label, "record ends before its last field", id);
        if (!visit(record)) return;
    }
}

void check_record_set(std::string_view text, RecordKind kind, const std::string& label, int count) {
    // Ids ascend, so the first id skipped is the first one missing; a file cut off at a record
    // boundary would otherwise read as one with fewer records.
    int expected = 1;
    int records = 0;
    scan_records(text, kind, label, [&](const RecordLines& record) {
        if (record.id < 1) return true;
        if (count > 0 && record.id > count) return false;
        if (count > 0 && record.id != expected) throw DataError(label, "record missing", expected);
        // A text field that opens a quote and never closes it was cut off inside the line.
        for (std::string_view f : {record.fields.front(), record.fields.back()}) {
            while (!f.empty() && (f.back() == ' ' || f.back() == '\t')) f.remove_suffix(1);
            if (!f.empty() && f.front() == '"' && (f.size() < 2 || f.back() != '"'))
                throw DataError(label, "a text field ends without its closing quote (the record is cut off)", record.id);
        }
        switch (kind) {
            case RecordKind::General: {
                Bushou b;
                parse_general(record, label, b);
                break;
            }
            case RecordKind::Warlord: {
                Gun g;
                parse_warlord(record, label, g);
                break;
            }
            case RecordKind::Province: {
                Kuni k;
                parse_province(record, label, k);
                break;
            }
        }
        expected = record.id + 1;
        ++records;
        return true;
    });
    if (records == 0) throw DataError(label, "holds no records");
    if (count > 0 && expected <= count)
        throw DataError(label, "record missing (the file holds " + std::to_string(expected - 1) + " of " +
                                   std::to_string(count) + ")", expected);
}

void check_comment_set(std::string_view text, const std::string& label) {
    int last = 0;
    bool closed = true;
    for (const std::string& line : split_lines(text)) {
        if (line.empty() || line[0] != '.') continue;
        const int id = marker_id(line);
        if (id < 1) {  // the closing "." of a record
            closed = true;
            continue;
        }
        if (id <= last) throw DataError(label, "record out of order: it follows record " + std::to_string(last), id);
        last = id;
        closed = false;
    }
    if (!closed) throw DataError(label, "the last record has no closing \".\" line (the file is cut off)", last);
}

void parse_general(const RecordItems& record, const std::string& label, Bushou& out) {
    auto number = [&](int k) { return number_at(record, label, kGeneralNumbers, k); };
    out.name = record.name;
    out.policy = number(1);
    out.fight = number(2);
    out.wisdom = number(3);
    out.tactics = number(4);
    out.charm = number(5);
    out.Setu = number(6);
    out.kunID = number(7);
    out.Job = number(8);
    out.jpg = record.last;
}

int general_lord(const RecordItems& record, const std::string& label) {
    if (record.bad_number != 0) number_at(record, label, kGeneralNumbers, record.bad_number);
    return number_at(record, label, kGeneralNumbers, 7);
}

void parse_warlord(const RecordItems& record, const std::string& label, Gun& out) {
    auto number = [&](int k) { return number_at(record, label, kWarlordNumbers, k); };
    out.name = record.name;
    out.meishuID = number(1);
    out.kunshuID = number(2);
    out.army = number(3);
    out.seihei = number(4);
    out.meisei = number(5);
    out.tian = number(6);
    out.kessoku = number(7);
    out.ifu = number(8);
    out.del = record.last == "TRUE";
}

void parse_province(const RecordItems& record, const std::string& label, Kuni& out) {
    auto number = [&](int k) { return number_at(record, label, kProvinceNumbers, k); };
    out.name = record.name;
    out.gunID = number(1);
    out.army = number(2);
}

void parse_general(const RecordLines& record, const std::string& label, Bushou& out) {
    parse_general(read_items(record, RecordKind::General), label, out);
}

void parse_warlord(const RecordLines& record, const std::string& label, Gun& out) {
    parse_warlord(read_items(record, RecordKind::Warlord), label, out);
}

void parse_province(const RecordLines& record, const std::string& label, Kuni& out) {
    parse_province(read_items(record, RecordKind::Province), label, out);
}

std::string quote_text(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    out += text;
    out += '"';
    return out;
}

namespace {

void append_quoted_line(std::string& out, std::string_view text) {
    out += '"';
    out += text;
    out += "\"\r\n";
}

void append_numbers_line(std::string& out, std::initializer_list<int> values) {
    // Built in place and added at once: a rewrite writes thousands of these lines a game.
    char line[8 * 12 + 2];
    char* at = line;
    for (int v : values) {
        if (at != line) *at++ = ',';
        at = std::to_chars(at, line + sizeof line, v).ptr;
    }
    *at++ = '\r';
    *at++ = '\n';
    out.append(line, at);
}

}  // namespace

void append_general_lines(std::string& out, const Bushou& b, bool with_last) {
    append_quoted_line(out, b.name);
    append_numbers_line(out, {b.policy, b.fight, b.wisdom, b.tactics});
    append_numbers_line(out, {b.charm, b.Setu});
    append_numbers_line(out, {b.kunID, b.Job});
    if (with_last) append_quoted_line(out, b.jpg);
}

void append_warlord_lines(std::string& out, const Gun& g, bool with_last) {
    append_quoted_line(out, g.name);
    append_numbers_line(out, {g.meishuID, g.kunshuID, g.army, g.seihei, g.meisei, g.tian, g.kessoku, g.ifu});
    if (with_last) append_quoted_line(out, g.del ? "TRUE" : "FALSE");
}

void append_province_lines(std::string& out, const Kuni& k) {
    append_quoted_line(out, k.name);
    append_numbers_line(out, {k.gunID, k.army});
}

void rewrite_records(const GameFolder& folder, std::string_view literal, std::string_view scratch, RecordKind kind,
                     const std::function<bool(int id)>& stop_after,
                     const std::function<int(const RecordItems&, std::string& out)>& write_fields) {
    const auto records = current_records(folder, literal, kind);
    std::string out;
    out.reserve(records->text().size() + 256);
    std::vector<RecordSet::Placed> placed;
    const int n_fields = field_lines(kind);
    records->visit([&](const RecordItems& record) {
        const std::size_t start = out.size();
        out += record.marker;
        out += "\r\n";
        const int written = write_fields(record, out);
        for (int k = written; k < n_fields; ++k) {
            out += record.fields[static_cast<std::size_t>(k)];
            out += "\r\n";
        }
        placed.push_back({start, out.size(), &record});
        return !stop_after(record.id);
    });
    // The scratch copy ends up holding the old bytes, as the rewrite has always left them.
    const auto now = folder.replace_keeping_old(literal, scratch, std::move(out));
    // Most records come out as they were: the new version's records are known without a reading
    // of the whole file.
    if (!now) return;
    if (auto following = RecordSet::following(*records, now->text(), kind, placed))
        records_of(now, kind, [&] { return following; });
}

}  // namespace teijinki
