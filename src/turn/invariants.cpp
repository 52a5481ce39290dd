#include "turn/invariants.h"

#include <set>

#include "messages/game_log.h"
#include "world/error.h"
#include "world/list_io.h"
#include "world/record_file.h"

namespace teijinki {

bool fits_16_bits(const std::string& item) {
    std::size_t i = 0;
    while (i < item.size() && (item[i] == ' ' || item[i] == '\t')) ++i;
    std::size_t end = item.size();
    while (end > i && (item[end - 1] == ' ' || item[end - 1] == '\t')) --end;
    if (i == end) return true;
    bool negative = false;
    if (item[i] == '-' || item[i] == '+') {
        negative = item[i] == '-';
        ++i;
    }
    if (i == end) return false;
    long long value = 0;
    for (; i < end; ++i) {
        const char c = item[i];
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
        if (value > 40000) return false;
    }
    if (negative) value = -value;
    return value >= -32768 && value <= 32767;
}

namespace {

struct FileRecords {
    std::string text;                  // the file's text, which the records view into
    std::vector<RecordLines> records;
};

// Every record of a working file; a file that cannot be read or scanned is one violation.
bool read_records(const GameFolder& folder, const char* literal, RecordKind kind, FileRecords& out,
                  std::vector<std::string>& problems) {
    const std::string label = GameFolder::display_name(literal);
    try {
        out.text = folder.read_text(literal);
        scan_records(out.text, kind, label, [&](const RecordLines& r) {
            out.records.push_back(r);
            return true;
        });
    } catch (const DataError& e) {
        problems.push_back(std::string("unreadable: ") + e.what());
        return false;
    }
    return true;
}

// The numbers of the field lines that hold numbers (all but the first and, for generals and
// warlords, the last).
std::vector<std::string> numeric_items(const RecordLines& r, RecordKind kind) {
    std::vector<std::string> items;
    const std::size_t last = kind == RecordKind::Province ? r.fields.size() : r.fields.size() - 1;
    for (std::size_t k = 1; k < last; ++k)
        for (auto& item : split_items(r.fields[k])) items.push_back(std::move(item));
    return items;
}

void check_sequence(const FileRecords& f, int count, const std::string& label, std::vector<std::string>& problems) {
    if (static_cast<int>(f.records.size()) != count)
        problems.push_back(label + " holds " + std::to_string(f.records.size()) + " records, not " + std::to_string(count));
    for (std::size_t k = 0; k < f.records.size(); ++k)
        if (f.records[k].id != static_cast<int>(k) + 1) {
            problems.push_back(label + ": record " + std::to_string(k + 1) + " carries id " + std::to_string(f.records[k].id));
            break;
        }
}

void check_numbers(const FileRecords& f, RecordKind kind, const std::string& label, std::vector<std::string>& problems) {
    for (const auto& r : f.records)
        for (const auto& item : numeric_items(r, kind))
            if (!fits_16_bits(item)) {
                problems.push_back(label + " record " + std::to_string(r.id) + ": \"" + item + "\" is not a 16-bit number");
                return;
            }
}

// The log's lines after the last line break; the text must end in a terminator line that occurs
// once.
void check_log(const GameFolder& folder, std::vector<std::string>& problems) {
    std::string text;
    try {
        text = folder.read_text(files::kLog);
    } catch (const DataError& e) {
        problems.push_back(std::string("log unreadable: ") + e.what());
        return;
    }
    const auto lines = split_lines(text);
    int terminators = 0;
    for (const auto& line : lines)
        if (line == kLogEnd) ++terminators;
    if (terminators != 1) problems.push_back("the log holds " + std::to_string(terminators) + " terminator lines");
    if (lines.empty() || lines.back() != kLogEnd) problems.push_back("the log does not end with its terminator");
}

}  // namespace

std::vector<std::string> YearInvariants::check_year(const GameFolder& folder, const SharedValues& shared, int year) {
    std::vector<std::string> problems;
    const std::string when = "year " + std::to_string(year) + ": ";
    FileRecords generals, warlords, provinces;
    const std::string gl = GameFolder::display_name(files::kGenerals);
    const std::string wl = GameFolder::display_name(files::kWarlords);
    const std::string pl = GameFolder::display_name(files::kProvinces);
    const bool ok = read_records(folder, files::kGenerals, RecordKind::General, generals, problems) &
                    read_records(folder, files::kWarlords, RecordKind::Warlord, warlords, problems) &
                    read_records(folder, files::kProvinces, RecordKind::Province, provinces, problems);
    check_log(folder, problems);
    for (int s = 0; s <= kMaxAlliances; ++s)
        if (shared.mei_kessoku[s] < 0 || shared.mei_kessoku[s] > 100)
            problems.push_back("mei_kessoku[" + std::to_string(s) + "] = " + std::to_string(shared.mei_kessoku[s]));
    if (!ok) {
        for (auto& p : problems) p = when + p;
        return problems;
    }

    check_sequence(generals, kGeneralsInGame, gl, problems);
    check_sequence(warlords, shared.gun_count, wl, problems);
    check_sequence(provinces, shared.kuni_count, pl, problems);
    check_numbers(generals, RecordKind::General, gl, problems);
    check_numbers(warlords, RecordKind::Warlord, wl, problems);
    check_numbers(provinces, RecordKind::Province, pl, problems);

    try {
        const int gun_count = last_warlord(shared);
        std::array<Gun, kMaxWarlords + 1> gun{};
        for (const auto& r : warlords.records) {
            if (r.id < 1 || r.id > gun_count) continue;
            parse_warlord(r, wl, gun[static_cast<std::size_t>(r.id)]);
        }
        std::array<int, kMaxWarlords + 1> owned{};
        for (const auto& r : provinces.records) {
            Kuni k;
            parse_province(r, pl, k);
            if (k.gunID < 0 || k.gunID > gun_count) {
                problems.push_back(pl + " record " + std::to_string(r.id) + " is owned by " + std::to_string(k.gunID) +
                                   ", not a warlord");
                continue;
            }
            ++owned.at(static_cast<std::size_t>(static_cast<int>(k.gunID)));
        }
        std::set<int> living_lords;
        for (int w = 1; w <= gun_count; ++w) {
            const Gun& g = gun[static_cast<std::size_t>(w)];
            const std::string who = wl + " record " + std::to_string(w) + " (" + g.name + ")";
            if (g.tian > 100) problems.push_back(who + ": tian " + std::to_string(g.tian));
            if (g.kessoku > 100) problems.push_back(who + ": kessoku " + std::to_string(g.kessoku));
            if (g.del) {
                if (owned[static_cast<std::size_t>(w)] > 0)
                    problems.push_back(who + " is destroyed but owns " + std::to_string(owned[static_cast<std::size_t>(w)]) +
                                       " provinces");
                if (g.army != 0) problems.push_back(who + " is destroyed but has army " + std::to_string(g.army));
            } else {
                if (!living_lords.insert(g.kunshuID).second)
                    problems.push_back(who + " shares its lord " + std::to_string(g.kunshuID) + " with another warlord");
                if (destroyed_[static_cast<std::size_t>(w)]) problems.push_back(who + " was destroyed and lives again");
            }
            if (!first_ && (lord_[static_cast<std::size_t>(w)] != g.kunshuID || name_[static_cast<std::size_t>(w)] != g.name))
                problems.push_back(who + " changed its name or lord (was " + name_[static_cast<std::size_t>(w)] + ", lord " +
                                   std::to_string(lord_[static_cast<std::size_t>(w)]) + ")");
            destroyed_[static_cast<std::size_t>(w)] = destroyed_[static_cast<std::size_t>(w)] || g.del;
            lord_[static_cast<std::size_t>(w)] = g.kunshuID;
            name_[static_cast<std::size_t>(w)] = g.name;
        }
        first_ = false;
    } catch (const DataError& e) {
        problems.push_back(std::string("unparsable: ") + e.what());
    }
    for (auto& p : problems) p = when + p;
    return problems;
}

std::vector<std::string> check_pages(const PageStore& pages, int msg_mode) {
    std::vector<std::string> problems;
    if (pages.page_no < 0 || pages.page_no > PageStore::kLastPage)
        problems.push_back("page_no " + std::to_string(pages.page_no) + " outside 0..39");
    const std::string& after_last = pages.page_text[PageStore::kSlots - 1];
    if (!after_last.empty() && after_last != kEndOfText) problems.push_back("text written into slot 40");
    if (msg_mode == 1) {
        int ends = 0;
        for (int i = 1; i < PageStore::kSlots; ++i)
            if (pages.page_text[i] == kEndOfText) ++ends;
        if (ends != 1) problems.push_back(std::to_string(ends) + " \"EOT\" entries in the pages");
    }
    return problems;
}

}  // namespace teijinki
