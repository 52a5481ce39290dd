#include "messages/standings.h"

#include <cstdio>
#include <cstdlib>

#include "world/error.h"
#include "world/list_io.h"
#include "world/template_composer.h"
#include "world/record_file.h"
#include "world/shared_values.h"

namespace teijinki {

namespace {

constexpr std::size_t kItems = 15;

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

std::string format_standings(const std::vector<StandingsRow>& rows) {
    std::string out = std::string(kStandingsHeading) + kCrLf;
    out.reserve(out.size() + rows.size() * 72);
    for (const StandingsRow& r : rows) {
        // List output: the name quoted, the numbers bare, the score a bare real.
        out += std::to_string(r.year) + "," + std::to_string(r.warlord) + "," + quote_text(r.name);
        for (int v : {r.troops, r.seihei, r.provinces, r.generals, r.meisei, r.tian, r.kessoku, r.ifu, r.alliance_leader,
                      r.destroyed ? 1 : 0, r.player ? 1 : 0})
            out += "," + std::to_string(v);
        out += "," + standings_score_text(r.score) + kCrLf;
    }
    return out;
}

std::vector<StandingsRow> parse_standings(std::string_view text, const std::string& label) {
    std::vector<StandingsRow> rows;
    const std::vector<std::string> lines = split_lines(text);
    if (lines.empty()) return rows;
    if (lines[0] != kStandingsHeading)
        throw DataError(label, std::string("does not begin with the heading \"") + kStandingsHeading + "\"");
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string where = "line " + std::to_string(i + 1);
        if (lines[i].empty() && i + 1 == lines.size()) break;  // a blank last line is no row
        const std::vector<std::string> items = split_items(lines[i]);
        if (items.size() != kItems)
            throw DataError(label, where + ": " + std::to_string(kItems) + " items expected, found " +
                                       std::to_string(items.size()));
        int values[kItems] = {};
        for (std::size_t k = 0; k < kItems - 1; ++k) {
            if (k == 2) continue;  // the name
            std::int16_t v = 0;
            if (items[k].empty() || !parse_number(items[k], v))
                throw DataError(label, where + ": \"" + items[k] + "\" is not a number");
            values[k] = v;
        }
        StandingsRow r;
        r.year = values[0];
        r.warlord = values[1];
        r.name = items[2];
        r.troops = values[3];
        r.seihei = values[4];
        r.provinces = values[5];
        r.generals = values[6];
        r.meisei = values[7];
        r.tian = values[8];
        r.kessoku = values[9];
        r.ifu = values[10];
        r.alliance_leader = values[11];
        r.destroyed = values[12] != 0;
        r.player = values[13] != 0;
        if (!parse_score(items[14], r.score))
            throw DataError(label, where + ": the score \"" + items[14] + "\" is not a number");
        if (r.warlord < 1 || r.warlord > kMaxWarlords)
            throw DataError(label, where + ": warlord " + std::to_string(r.warlord) + " is not one of 1 to 20");
        if (!rows.empty() && r.year < rows.back().year)
            throw DataError(label, where + ": the year " + std::to_string(r.year) + " comes after " +
                                       std::to_string(rows.back().year));
        rows.push_back(std::move(r));
    }
    return rows;
}

std::vector<StandingsRow> read_standings(const GameFolder& folder) {
    const auto text = folder.read_text_if_present(kStandingsFile);
    if (!text) return {};
    return parse_standings(*text, GameFolder::display_name(kStandingsFile));
}

void write_standings(const GameFolder& folder, const std::vector<StandingsRow>& rows) {
    folder.write_text(kStandingsFile, format_standings(rows));
}

void replace_standings_from(std::vector<StandingsRow>& rows, int year, const std::vector<StandingsRow>& year_rows) {
    std::erase_if(rows, [year](const StandingsRow& r) { return r.year >= year; });
    rows.insert(rows.end(), year_rows.begin(), year_rows.end());
}

}  // namespace teijinki
