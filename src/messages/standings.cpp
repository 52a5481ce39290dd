#include "messages/standings.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "world/error.h"
#include "world/list_io.h"
#include "world/template_composer.h"
#include "world/record_file.h"
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

bool parse_score(const std::string& item, float& out) {
    if (item.empty()) return false;
    char* end = nullptr;
    out = std::strtof(item.c_str(), &end);
    while (end && *end == ' ') ++end;
    return end && *end == '\0';
}

}  // namespace

std::string standings_score_text(float score) {
    // Seven significant digits of the single-precision value, as the report prints it.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.7g", static_cast<double>(score));
    return buffer;
}

namespace {

// The rows' lines, each ended with CR LF.
void append_rows(std::string& out, const std::vector<StandingsRow>& rows) {
    out.reserve(out.size() + rows.size() * 72);
    char digits[16];
    const auto number = [&](int value) {
        out += ',';
        out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
    };
    for (const StandingsRow& r : rows) {
        // List output: the name quoted, the numbers bare, the score a bare real.
        out.append(digits, std::to_chars(digits, digits + sizeof digits, r.year).ptr);
        number(r.warlord);
        out += "," + quote_text(r.name);
        for (int StandingsRow::*figure : kFigures) number(r.*figure);
        number(r.destroyed ? 1 : 0);
        number(r.player ? 1 : 0);
        out += "," + standings_score_text(r.score) + kCrLf;
    }
}

}  // namespace

std::string format_standings(const std::vector<StandingsRow>& rows) {
    std::string out = std::string(kStandingsHeading) + kCrLf;
    append_rows(out, rows);
    return out;
}

std::vector<StandingsRow> parse_standings(std::string_view text, const std::string& label) {
    std::vector<StandingsRow> rows;
    const std::vector<std::string> lines = split_lines(text);
    if (lines.empty()) return rows;
    if (lines[0] != kStandingsHeading)
        throw DataError(label, std::string("does not begin with the heading \"") + kStandingsHeading + "\"");
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto where = [i] { return "line " + std::to_string(i + 1); };
        if (lines[i].empty() && i + 1 == lines.size()) break;  // a blank last line is no row
        const std::vector<std::string> items = split_items(lines[i]);
        if (items.size() != kItems)
            throw DataError(label, where() + ": " + std::to_string(kItems) + " items expected, found " +
                                       std::to_string(items.size()));
        int values[kItems] = {};
        for (std::size_t k = 0; k < kItems - 1; ++k)
            if (k != 2 && !parse_whole(items[k], values[k]))  // item 2 is the name
                throw DataError(label, where() + ": \"" + items[k] + "\" is not a whole number");
        StandingsRow r;
        r.year = values[0];
        r.warlord = values[1];
        r.name = items[2];
        for (std::size_t f = 0; f < std::size(kFigures); ++f) r.*kFigures[f] = values[3 + f];
        r.destroyed = values[12] != 0;
        r.player = values[13] != 0;
        if (!parse_score(items[14], r.score))
            throw DataError(label, where() + ": the score \"" + items[14] + "\" is not a number");
        if (r.warlord < 1 || r.warlord > kMaxWarlords)
            throw DataError(label, where() + ": warlord " + std::to_string(r.warlord) + " is not one of 1 to 20");
        if (!rows.empty() && r.year < rows.back().year)
            throw DataError(label, where() + ": the year " + std::to_string(r.year) + " comes after " +
                                       std::to_string(rows.back().year));
        rows.push_back(std::move(r));
    }
    return rows;
}

StandingsFile read_standings_file(const GameFolder& folder) {
    StandingsFile file;
    if (auto text = folder.read_text_if_present(kStandingsFile)) {
        file.rows = parse_standings(*text, GameFolder::display_name(kStandingsFile));
        file.text = std::move(*text);
    }
    return file;
}

std::vector<StandingsRow> read_standings(const GameFolder& folder) { return read_standings_file(folder).rows; }

void write_standings_year(const GameFolder& folder, const StandingsFile& file, int year,
                          const std::vector<StandingsRow>& year_rows) {
    std::string out;
    if (file.rows.empty()) {
        out = format_standings(year_rows);
    } else if (file.rows.back().year < year) {
        out = file.text;
        if (!out.ends_with('\n') && !out.ends_with('\r')) out += kCrLf;
        append_rows(out, year_rows);
    } else {
        std::vector<StandingsRow> rows = file.rows;
        std::erase_if(rows, [year](const StandingsRow& r) { return r.year >= year; });
        rows.insert(rows.end(), year_rows.begin(), year_rows.end());
        out = format_standings(rows);
    }
    folder.replace_keeping_old(kStandingsFile, kStandingsScratch, out);
}

}  // namespace teijinki
