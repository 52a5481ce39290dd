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
    try {
        scan_records(text, kind, label_, [&](const RecordLines& record) {
            records_.push_back(read_items(record, kind));
            return true;
        });
    } catch (const DataError& e) {
        fault_ = e;
    }
}

void RecordSet::visit(const std::function<bool(const RecordItems&)>& visit) const {
    for (const RecordItems& record : records_)
        if (!visit(record)) return;
    if (fault_) throw *fault_;
}

std::shared_ptr<const RecordSet> current_records(const GameFolder& folder, std::string_view literal, RecordKind kind) {
    const std::shared_ptr<const FileText> file = folder.read_shared(literal);
    return file->derived<RecordSet>(file, static_cast<int>(kind), [&] {
        return std::make_shared<const RecordSet>(file->text(), kind, GameFolder::display_name(literal));
    });
}

void scan_records(std::string_view text, RecordKind kind, const std::string& label,
                  const std::function<bool(const RecordLines&)>& visit) {
    const int n_fields = field_lines(kind);
    std::size_t pos = 0;
    const std::size_t size = text.size();
    auto next_line = [&](std::string_view& line) {
        if (pos >= size) return false;
        std::size_t end = pos;
        while (end < size && text[end] != '\r' && text[end] != '\n') ++end;
        line = text.substr(pos, end - pos);
        pos = end;
        if (pos < size && text[pos] == '\r') ++pos;
        if (pos < size && text[pos] == '\n') ++pos;
        return true;
    };
    RecordLines record;
    std::string_view line;
    bool first = true;
    while (next_line(line)) {
        int id = 0;
        if (!line_is_marker(line, id)) continue;
        // Every writer puts the records in ascending order; a repeated or earlier id means the
        // file was edited or damaged, and a reader would otherwise pick the wrong record.
        if (!first && id <= record.id)
            throw DataError(label, "record out of order: it follows record " + std::to_string(record.id), id);
        first = false;
        record.id = id;
        record.marker = line;
        record.fields.clear();
        for (int k = 0; k < n_fields; ++k) {
            if (!next_line(line)) throw DataError(label, "record ends before its last field", id);
            record.fields.push_back(line);
        }
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
    char buffer[8];
    bool first = true;
    for (int v : values) {
        if (!first) out += ',';
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
        out.append(buffer, end);
        first = false;
    }
    out += "\r\n";
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
    const int n_fields = field_lines(kind);
    records->visit([&](const RecordItems& record) {
        out += record.marker;
        out += "\r\n";
        const int written = write_fields(record, out);
        for (int k = written; k < n_fields; ++k) {
            out += record.fields[static_cast<std::size_t>(k)];
            out += "\r\n";
        }
        return !stop_after(record.id);
    });
    // The scratch copy ends up holding the old bytes, as the rewrite has always left them.
    folder.replace_keeping_old(literal, scratch, std::move(out));
}

}  // namespace teijinki
