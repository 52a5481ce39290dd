#include "world/trace.h"

#include <nlohmann/json.hpp>

#include "world/error.h"

namespace teijinki {

using nlohmann::json;

JsonLinesTrace::JsonLinesTrace(const std::string& path)
    : file_(std::make_unique<std::ofstream>(path, std::ios::binary | std::ios::trunc)), path_(path) {
    if (!*file_) throw DataError(path, "the trace file cannot be written");
    out_ = file_.get();
}

void JsonLinesTrace::write_line(const std::string& line) {
    *out_ << line << '\n';
    if (!*out_) throw DataError(path_.empty() ? std::string("trace") : path_, "writing the trace failed");
}

void JsonLinesTrace::offers(int year, int panel, const std::vector<TraceOffer>& entries) {
    json list = json::array();
    for (const TraceOffer& o : entries)
        list.push_back({{"pos", o.pos}, {"command", o.command}, {"subject", o.subject}, {"object", o.object},
                        {"level", o.level}});
    write_line(json{{"type", "offers"}, {"year", year}, {"panel", panel}, {"entries", std::move(list)}}.dump());
}

void JsonLinesTrace::pick(int year, int gun, int panel, int pos, bool by_player) {
    write_line(json{{"type", "pick"},
                    {"year", year},
                    {"gun", gun},
                    {"panel", panel},
                    {"pos", pos},
                    {"by", by_player ? "player" : "computer"}}
                   .dump());
}

void JsonLinesTrace::entry(int year, int panel, int pos, int command, const std::vector<int>& participants,
                           int exec_id, int best, int fail_id) {
    write_line(json{{"type", "entry"},
                    {"year", year},
                    {"panel", panel},
                    {"pos", pos},
                    {"command", command},
                    {"participants", participants},
                    {"exec_id", exec_id},
                    {"best", best},
                    {"fail_id", fail_id}}
                   .dump());
}

void JsonLinesTrace::war(int year, bool righteous, int attacker, int defender, int initiative, int tactic,
                         int verdict) {
    write_line(json{{"type", "war"},
                    {"year", year},
                    {"kind", righteous ? "gisen" : "war"},
                    {"attacker", attacker},
                    {"defender", defender},
                    {"initiative", initiative},
                    {"tactic", tactic},
                    {"verdict", verdict}}
                   .dump());
}

void JsonLinesTrace::year_end(int year, const std::vector<TraceWarlord>& warlords) {
    json list = json::array();
    for (const TraceWarlord& w : warlords)
        list.push_back({{"id", w.id},
                        {"army", w.army},
                        {"seihei", w.seihei},
                        {"meisei", w.meisei},
                        {"tian", w.tian},
                        {"kessoku", w.kessoku},
                        {"ifu", w.ifu},
                        {"del", w.del},
                        {"provinces", w.provinces}});
    write_line(json{{"type", "year_end"}, {"year", year}, {"warlords", std::move(list)}}.dump());
    out_->flush();
}

std::vector<TraceOffer> panel_offers(const SharedValues& shared, int panel) {
    std::vector<TraceOffer> out;
    const std::vector<int>& codes = shared.com_codes[panel];
    for (std::size_t pos = 0; pos < codes.size(); ++pos) {
        TraceOffer o;
        o.pos = static_cast<int>(pos);
        o.command = codes[pos];
        // The parameter tables hold four positions; a longer list would be a fault of the offers.
        if (pos < 4) {
            o.subject = shared.com_subject[panel][static_cast<long>(pos)];
            o.object = shared.com_object[panel][static_cast<long>(pos)];
            o.level = shared.com_level[panel][static_cast<long>(pos)];
        }
        out.push_back(o);
    }
    return out;
}

void trace_offers(TraceSink& sink, int year, const SharedValues& shared) {
    for (int panel = 0; panel <= 3; ++panel) sink.offers(year, panel, panel_offers(shared, panel));
}

std::vector<TraceWarlord> warlord_standing(const SharedValues& shared, const WorkingSet& world) {
    std::vector<TraceWarlord> out;
    for (int g = 1; g <= last_warlord(shared); ++g) {
        const Gun& gun = world.gun[g];
        TraceWarlord w;
        w.id = g;
        w.army = gun.army;
        w.seihei = gun.seihei;
        w.meisei = gun.meisei;
        w.tian = gun.tian;
        w.kessoku = gun.kessoku;
        w.ifu = gun.ifu;
        w.del = gun.del;
        for (int p = 1; p <= last_province(shared); ++p)
            if (world.kuni[p].gunID == g) ++w.provinces;
        out.push_back(w);
    }
    return out;
}

void trace_year_end(TraceSink& sink, int year, const GameFolder& folder, const SharedValues& shared) {
    auto world = std::make_unique<WorkingSet>();
    ld_Gun(folder, shared, *world);
    ld_Kuni(folder, shared, *world);
    sink.year_end(year, warlord_standing(shared, *world));
}

}  // namespace teijinki
