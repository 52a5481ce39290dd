#include "messages/standings.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "world/error.h"
#include "world/list_io.h"
#include "world/template_composer.h"
#include "world/shared_values.h"

namespace teijinki {

namespace {

constexpr std::size_t kItems = 15;
// The whole-number columns between the name and the two flags, in file order.
constexpr int StandingsRow::*kFigures[] = {&StandingsRow::troops,  &StandingsRow::seihei, &StandingsRow::provinces,
                                           &StandingsRow::generals, &StandingsRow::meisei, &StandingsRow::tian,
                                           &StandingsRow::kessoku,  &StandingsRow::ifu,    &StandingsRow::alliance_leader};

// A whole number, blanks around it allowed as list input allows them.
bool parse_whole(std::string_view item, int& out) {
    while (!item.empty() && item.front() == ' ') item.remove_prefix(1);
    while (!item.empty() && item.back() == ' ') item.remove_suffix(1);
    const auto [end, error] = std::from_chars(item.data(), item.data() + item.size(), out);
    return !item.empty() && error == std::errc() && end == item.data() + item.size();
}

bool parse_score(const std::string& item, float& out) {  // a copy: strtof needs the item's end marked
    if (item.empty()) return false;
    char* end = nullptr;
    out = std::strtof(item.c_str(), &end);
    while (end && *end == ' ') ++end;
    return end && *end == '\0';
}

// Seven significant digits of the single-precision value, as the report prints it. (printf's,
// not the library's real-number to_chars: that one pulls large tables into memory.)
char* score_digits(char* first, char* last, float score) {
    const int n = std::snprintf(first, static_cast<std::size_t>(last - first), "%.7g", static_cast<double>(score));
    return first + std::clamp<std::ptrdiff_t>(n, 0, last - first - 1);
}

}  // namespace

std::string standings_score_text(float score) {
    char buffer[64];
    return std::string(buffer, score_digits(buffer, buffer + sizeof buffer, score));
}

namespace {

// The rows' lines, each ended with CR LF.
void append_rows(std::string& out, const std::vector<StandingsRow>& rows) {
    out.reserve(out.size() + rows.size() * 72);
    char digits[32];
    const auto number = [&](int value) {
        out += ',';
        out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
    };
    for (const StandingsRow& r : rows) {
        // List output: the name quoted, the numbers bare, the score a bare real.
        out.append(digits, std::to_chars(digits, digits + sizeof digits, r.year).ptr);
        number(r.warlord);
        out += ",\"";
        out += r.name;
        out += '"';
        for (int StandingsRow::*figure : kFigures) number(r.*figure);
        number(r.destroyed ? 1 : 0);
        number(r.player ? 1 : 0);
        out += ',';
        out.append(digits, score_digits(digits, digits + sizeof digits, r.score));
        out += kCrLf;
    }
}

}  // namespace

std::string format_standings(const std::vector<StandingsRow>& rows) {
    std::string out = std::string(kStandingsHeading) + kCrLf;
    append_rows(out, rows);
    return out;
}

namespace {

// The rows of the lines of text after the heading, line_no being the number of the text's first
// line in the file, added to rows (which hold the file's rows before text).
void parse_rows(std::string_view text, std::size_t line_no, const std::string& label, std::vector<StandingsRow>& rows) {
    std::size_t pos = 0;
    for (std::size_t i = line_no; pos < text.size(); ++i) {
        // Lines end at CR LF, LF or a lone CR, as everywhere.
        const std::size_t stop = std::min(text.find_first_of("\r\n", pos), text.size());
        const std::string_view line = text.substr(pos, stop - pos);
        pos = stop + (text.compare(stop, 2, "\r\n") == 0 ? 2 : 1);
        const auto where = [i] { return "line " + std::to_string(i); };
        if (line.empty() && pos >= text.size()) break;  // a blank last line is no row
        std::string_view items[kItems];
        const std::size_t count = line_items(line, items, kItems);
        if (count != kItems)
            throw DataError(label, where() + ": " + std::to_string(kItems) + " items expected, found " +
                                       std::to_string(count));
        int values[kItems] = {};
        for (std::size_t k = 0; k < kItems - 1; ++k)
            if (k != 2 && !parse_whole(items[k], values[k]))  // item 2 is the name
                throw DataError(label, where() + ": \"" + std::string(items[k]) + "\" is not a whole number");
        StandingsRow r;
        r.year = values[0];
        r.warlord = values[1];
        r.name = items[2];
        for (std::size_t f = 0; f < std::size(kFigures); ++f) r.*kFigures[f] = values[3 + f];
        r.destroyed = values[12] != 0;
        r.player = values[13] != 0;
        const std::string score(items[14]);
        if (!parse_score(score, r.score))
            throw DataError(label, where() + ": the score \"" + score + "\" is not a number");
        if (r.warlord < 1 || r.warlord > kMaxWarlords)
            throw DataError(label, where() + ": warlord " + std::to_string(r.warlord) + " is not one of 1 to 20");
        if (!rows.empty() && r.year < rows.back().year)
            throw DataError(label, where() + ": the year " + std::to_string(r.year) + " comes after " +
                                       std::to_string(rows.back().year));
        rows.push_back(std::move(r));
    }
}

}  // namespace

std::vector<StandingsRow> parse_standings(std::string_view text, const std::string& label) {
    std::vector<StandingsRow> rows;
    if (text.empty()) return rows;
    const std::size_t end = text.find_first_of("\r\n");
    if (text.substr(0, end) != kStandingsHeading)
        throw DataError(label, std::string("does not begin with the heading \"") + kStandingsHeading + "\"");
    if (end != std::string_view::npos)
        parse_rows(text.substr(text.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1), 2, label, rows);
    return rows;
}

StandingsFile read_standings_file(const GameFolder& folder) {
    StandingsFile file;
    file.version = folder.read_shared_if_present(kStandingsFile);
    if (!file.version) {
        file.rows = std::make_shared<const std::vector<StandingsRow>>();
        return file;
    }
    // Parsed once per version of the file; a year's own write hands its rows to the version it makes.
    file.rows = file.version->derived<std::vector<StandingsRow>>(file.version, 0, [&] {
        return std::make_shared<const std::vector<StandingsRow>>(
            parse_standings(file.version->text(), GameFolder::display_name(kStandingsFile)));
    });
    return file;
}

std::vector<StandingsRow> read_standings(const GameFolder& folder) { return *read_standings_file(folder).rows; }

void write_standings_year(const GameFolder& folder, const StandingsFile& file, int year,
                          const std::vector<StandingsRow>& year_rows) {
    const std::vector<StandingsRow> none;
    const std::vector<StandingsRow>& rows = file.rows ? *file.rows : none;
    if (rows.empty() || rows.back().year >= year) {
        std::vector<StandingsRow> kept;
        for (const StandingsRow& r : rows)
            if (r.year < year) kept.push_back(r);
        kept.insert(kept.end(), year_rows.begin(), year_rows.end());
        folder.replace_keeping_old(kStandingsFile, kStandingsScratch, format_standings(kept));
        return;
    }
    // The usual year: its lines go after the text as read.
    const std::string_view before = file.version->text();
    std::string out;
    out.reserve(before.size() + year_rows.size() * 72 + 2);
    out = before;
    if (!out.ends_with('\n') && !out.ends_with('\r')) out += kCrLf;
    const std::size_t added = out.size();
    append_rows(out, year_rows);
    const auto now = folder.replace_keeping_old(kStandingsFile, kStandingsScratch, std::move(out));
    // The new version's rows are the old ones and the lines just added, as read from what the
    // file now holds; unless the old text ended in a blank line, which now stands between rows
    // and makes the file damaged, or the file does not hold the old text and the lines.
    if (!now || !before.ends_with('\n') || !now->text().starts_with(before)) return;
    const std::string_view last_line = before.substr(0, before.size() - (before.ends_with("\r\n") ? 2 : 1));
    if (last_line.empty() || last_line.back() == '\r' || last_line.back() == '\n') return;
    try {
        auto all = std::make_shared<std::vector<StandingsRow>>();
        all->reserve(rows.size() + year_rows.size());
        all->assign(rows.begin(), rows.end());
        // Every line of the old text after the heading was a row.
        parse_rows(now->text().substr(added), rows.size() + 2, GameFolder::display_name(kStandingsFile), *all);
        now->derived<std::vector<StandingsRow>>(now, 0, [&] { return all; });
    } catch (const DataError&) {
        // Rows that do not read back are left to the next reading, which reports them.
    }
}

}  // namespace teijinki
