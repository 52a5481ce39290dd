#include "screens/info_data.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "world/error.h"
#include "world/list_io.h"
#include "world/numbers.h"
#include "world/record_file.h"
#include "world/records.h"

namespace teijinki::info {

namespace {

const std::string& label_of(const char* literal) {
    static std::map<const char*, std::string> labels;
    auto it = labels.find(literal);
    if (it == labels.end()) it = labels.emplace(literal, GameFolder::display_name(literal)).first;
    return it->second;
}

// Every general 1..bushou_count in file order.
template <class Visit>
void each_general(const GameFolder& folder, const SharedValues& shared, Visit visit) {
    const std::string& label = label_of(files::kGenerals);
    const int count = shared.bushou_count;
    scan_records(folder.read_text(files::kGenerals), RecordKind::General, label, [&](const RecordLines& r) {
        if (r.id > count) return false;
        if (r.id >= 1) {
            Bushou b;
            parse_general(r, label, b);
            visit(r.id, b);
        }
        return r.id < count;
    });
}

// Every warlord 1..gun_count in file order, with its destroyed line as written.
template <class Visit>
void each_warlord(const GameFolder& folder, const SharedValues& shared, Visit visit) {
    const std::string& label = label_of(files::kWarlords);
    const int count = shared.gun_count;
    scan_records(folder.read_text(files::kWarlords), RecordKind::Warlord, label, [&](const RecordLines& r) {
        if (r.id > count) return false;
        if (r.id >= 1) {
            Gun g;
            parse_warlord(r, label, g);
            g.id = r.id;
            const auto items = split_items(r.fields.back());
            const std::string del_text = items.empty() ? std::string() : items.front();
            visit(r.id, g, del_text);
        }
        return r.id < count;
    });
}

// Every province 1..kuni_count in file order.
template <class Visit>
void each_province(const GameFolder& folder, const SharedValues& shared, Visit visit) {
    const std::string& label = label_of(files::kProvinces);
    const int count = shared.kuni_count;
    scan_records(folder.read_text(files::kProvinces), RecordKind::Province, label, [&](const RecordLines& r) {
        if (r.id > count) return false;
        if (r.id >= 1) {
            Kuni k;
            parse_province(r, label, k);
            visit(r.id, k);
        }
        return r.id < count;
    });
}

std::map<int, std::string> warlord_names(const GameFolder& folder, const SharedValues& shared) {
    std::map<int, std::string> names;
    each_warlord(folder, shared, [&](int id, const Gun& g, const std::string&) { names[id] = g.name; });
    return names;
}

std::string name_or_empty(const std::map<int, std::string>& names, int id) {
    const auto it = names.find(id);
    return it == names.end() ? std::string() : it->second;
}

}  // namespace

// ---- Warlord sheet ----

WarlordSheet load_warlord_sheet(const GameFolder& folder, const SharedValues& shared, int warlord_id,
                                const std::string& txt_lab) {
    WarlordSheet sheet;
    sheet.warlord_id = warlord_id;
    sheet.txt_lab = txt_lab;
    sheet.figure_captions = {"総兵力", "精兵数", "名声", "治安", "結束力", "畏怖", "領国数"};
    sheet.job_frames = {"文官", "武官", "参謀（軍師）", "将軍", "君主"};

    Gun gun;
    const std::string& gun_label = label_of(files::kWarlords);
    const int gun_count = shared.gun_count;
    scan_records(folder.read_text(files::kWarlords), RecordKind::Warlord, gun_label, [&](const RecordLines& r) {
        if (r.id == warlord_id && r.id >= 1 && r.id <= gun_count) {
            parse_warlord(r, gun_label, gun);
            sheet.found = true;
            return false;
        }
        return r.id < gun_count;
    });
    sheet.name = sheet.found ? gun.name : std::string();
    sheet.caption = sheet.name + "軍の内情";
    if (sheet.found) {
        sheet.kunshu_id = gun.kunshuID;
        sheet.figure_values[0] = Digits(gun.army + gun.seihei) + "000";
        sheet.figure_values[1] = Digits(gun.seihei) + "000";
        sheet.figure_values[2] = Digits(gun.meisei);
        sheet.figure_values[3] = Digits(gun.tian);
        sheet.figure_values[4] = Digits(gun.kessoku);
        sheet.figure_values[5] = Digits(gun.ifu);
    }

    if (warlord_id >= 1) {
        each_province(folder, shared, [&](int, const Kuni& k) {
            if (k.gunID != warlord_id) return;
            ++sheet.province_count;
            sheet.provinces += k.name + "、";
        });
    }
    sheet.figure_values[6] = Str(sheet.province_count);

    // A lord id of 0 would gather the free generals; they serve nobody and belong on no sheet.
    const int lord = sheet.kunshu_id;
    std::string lord_jpg;
    bool lord_found = false, past_count = false;
    const std::string& chr_label = label_of(files::kGenerals);
    const int bushou_count = shared.bushou_count;
    scan_records(folder.read_text(files::kGenerals), RecordKind::General, chr_label, [&](const RecordLines& r) {
        if (r.id > bushou_count) {
            past_count = true;
            return false;
        }
        if (r.id < 1) return true;
        Bushou b;
        parse_general(r, chr_label, b);
        if (lord != 0 && b.kunID == lord && b.Job >= 1) {
            const int list = b.Job == kJobGunshi ? 2 : b.Job - 1;
            if (list < 5) sheet.job_lists[list].push_back({r.id, b.name});
        }
        if (r.id == lord) {
            lord_found = true;
            lord_jpg = b.jpg;
        }
        return true;
    });
    if (lord_found)
        sheet.portrait = lord_jpg;
    else if (past_count)
        sheet.portrait = kMissingGeneralPortrait;
    return sheet;
}

// ---- General table ----

GeneralTableView load_general_table(const GameFolder& folder, const SharedValues& shared, int lord_id) {
    GeneralTableView view;
    view.caption = "武将一覧";
    view.headings = {"名前", "政治", "武勇", "智謀", "采配", "器量", "節度", "職業"};
    if (lord_id == 0) return view;  // free generals serve no lord
    each_general(folder, shared, [&](int id, const Bushou& b) {
        if (b.kunID != lord_id) return;
        GeneralRow row;
        row.id = id;
        row.name = b.name;
        const std::string policy = Digits(b.policy), fight = Digits(b.fight), wisdom = Digits(b.wisdom),
                          tactics = Digits(b.tactics);
        const std::string none = "-";
        switch (static_cast<int>(b.Job)) {
            case kJobBunkan: row.values = {policy, none, none, none}; break;
            case kJobBukan: row.values = {none, fight, none, none}; break;
            case kJobSanbou:
            case kJobGunshi: row.values = {policy, none, wisdom, tactics}; break;
            case kJobShougun: row.values = {none, fight, wisdom, tactics}; break;
            case kJobKunshu: row.values = {policy, fight, wisdom, tactics}; break;
            default: row.values = {none, none, none, none}; break;  // no job: nothing to show
        }
        row.values[4] = Digits(b.charm);
        row.values[5] = Digits(b.Setu);
        row.values[6] = std::string(job_name(b.Job));
        view.rows.push_back(std::move(row));
    });
    return view;
}

// ---- All warlords ----

WarlordListView load_warlord_list(const GameFolder& folder, const SharedValues& shared) {
    WarlordListView view;
    view.caption = "軍閥一覧";
    view.headings = {"君主", std::string("総兵力") + kLineBreak + "（千）", std::string("精兵") + kLineBreak + "（千）",
                     "政安", "結束", "名声", "畏怖", "武将数", "領国数", "盟主"};

    std::map<int, std::string> names;
    std::map<int, int> followers;  // generals by the lord they serve
    each_general(folder, shared, [&](int id, const Bushou& b) {
        names[id] = b.name;
        if (b.kunID != 0) ++followers[b.kunID];
    });
    std::map<int, int> provinces;
    each_province(folder, shared, [&](int, const Kuni& k) { ++provinces[k.gunID]; });

    each_warlord(folder, shared, [&](int id, const Gun& g, const std::string& del_text) {
        if (del_text == "TRUE") return;
        WarlordRow row;
        row.warlord_id = id;
        row.name = g.name;
        row.values = {Digits(g.army + g.seihei), Digits(g.seihei), Digits(g.tian), Digits(g.kessoku),
                      Digits(g.meisei), Digits(g.ifu),
                      Digits(g.kunshuID != 0 ? followers[g.kunshuID] : 0), Digits(provinces[id]),
                      g.meishuID != 0 ? name_or_empty(names, g.meishuID) : std::string()};
        view.rows.push_back(std::move(row));
    });
    return view;
}

// ---- Generals by warlord ----

GeneralsByWarlordView load_generals_by_warlord(const GameFolder& folder, const SharedValues& shared) {
    GeneralsByWarlordView view;
    view.caption = "各軍閥所属部将";
    for (int k = 0; k < kGeneralColumns; ++k) view.columns[k].visible = k < shared.gun_count;
    each_warlord(folder, shared, [&](int id, const Gun& g, const std::string& del_text) {
        if (id > kGeneralColumns) return;
        WarlordColumn& column = view.columns[id - 1];
        column.heading = g.name;
        column.kunshu_id = g.kunshuID;
        column.destroyed = del_text != "FALSE";
    });
    each_general(folder, shared, [&](int id, const Bushou& b) {
        if (b.kunID == 0) return;  // free generals appear nowhere
        for (auto& column : view.columns)
            if (column.kunshu_id == b.kunID) column.generals.push_back({id, b.name});
    });
    return view;
}

// ---- All provinces ----

ProvinceListView load_province_list(const GameFolder& folder, const SharedValues& shared) {
    ProvinceListView view;
    view.caption = "国一覧";
    view.headings = {"国名", std::string("兵力") + kLineBreak + "（千）", "君主"};
    const auto names = warlord_names(folder, shared);
    each_province(folder, shared, [&](int id, const Kuni& k) {
        view.rows.push_back({id, k.name, Digits(k.army), k.gunID != 0 ? name_or_empty(names, k.gunID) : std::string()});
    });
    return view;
}

// ---- Map ----

MapColour owner_colour(int warlord_id) {
    static const std::array<MapColour, 14> table = {{
        {0, 0, 0, true},       // nobody's: the system's title-bar text colour
        {0, 0, 255, false},    // blue
        {0, 255, 0, false},    // green
        {255, 0, 0, false},    // red
        {255, 255, 0, false},  // yellow
        {255, 0, 255, false},  // magenta
        {0, 0, 0, false},      // black
        {128, 128, 0, false},  // olive
        {0, 255, 255, false},  // cyan
        {255, 128, 0, false},  // orange
        {0, 0, 128, false},    // navy
        {192, 192, 192, false},  // silver
        {128, 0, 0, false},    // maroon
        {255, 128, 128, false},  // light red
    }};
    if (warlord_id < 0 || warlord_id > kMaxWarlords)
        throw ProgramError("map colour of warlord " + std::to_string(warlord_id) + " outside 0.." +
                           std::to_string(kMaxWarlords));
    if (warlord_id < static_cast<int>(table.size())) return table[warlord_id];
    return kBlack;
}

MapColour owner_text_colour(int warlord_id) {
    const bool dark = warlord_id == 1 || warlord_id == 6 || warlord_id == 10 || warlord_id == 12 || warlord_id >= 14;
    return dark ? kYellow : kBlack;
}

const std::array<const char*, 9>& region_names() {
    static const std::array<const char*, 9> names = {"荊州", "益州", "揚州", "豫州", "徐州",
                                                      "冀州", "幽州", "雍州", "涼州"};
    return names;
}

std::vector<MapPlace> load_map_places(const GameFolder& folder, const SharedValues& shared) {
    const char* literal = "\\ini\\KuniMap.ini";
    const std::string label = GameFolder::display_name(literal);
    ListReader in(folder.read_text(literal), label);
    const int count = shared.kuni_count;
    std::map<int, MapPlace> places;
    while (!in.eof()) {
        const std::string item = in.item();
        const int id = marker_id(item);
        if (id <= 0) continue;
        MapPlace place;
        place.province_id = id;
        place.name = in.item();
        place.region = in.item();
        place.at.x = in.number(id, "x");
        place.at.y = in.number(id, "y");
        const auto& regions = region_names();
        if (std::find(regions.begin(), regions.end(), place.region) == regions.end())
            throw DataError(label, "region \"" + place.region + "\" is not one of the nine", id);
        if (place.at.x < 0 || place.at.x > kMapWidth || place.at.y < 0 || place.at.y > kMapHeight)
            throw DataError(label, "place outside the 1000 x 800 map", id);
        if (id <= count) places.emplace(id, std::move(place));
    }
    std::vector<MapPlace> out;
    for (int id = 1; id <= count; ++id) {
        const auto it = places.find(id);
        if (it == places.end()) throw DataError(label, "no place on the map for this province", id);
        out.push_back(it->second);
    }
    return out;
}

namespace {

double cross(const MapPoint& o, const MapPoint& a, const MapPoint& b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

// Convex hull, counter-clockwise in a y-down space turned round: monotone chain.
std::vector<MapPoint> convex_hull(std::vector<MapPoint> points) {
    std::sort(points.begin(), points.end(), [](const MapPoint& a, const MapPoint& b) {
        return a.x < b.x || (a.x == b.x && a.y < b.y);
    });
    points.erase(std::unique(points.begin(), points.end(),
                             [](const MapPoint& a, const MapPoint& b) { return a.x == b.x && a.y == b.y; }),
                 points.end());
    if (points.size() < 3) return points;
    std::vector<MapPoint> hull(2 * points.size());
    std::size_t k = 0;
    for (const auto& p : points) {
        while (k >= 2 && cross(hull[k - 2], hull[k - 1], p) <= 0) --k;
        hull[k++] = p;
    }
    for (std::size_t i = points.size() - 1, t = k + 1; i > 0; --i) {
        const auto& p = points[i - 1];
        while (k >= t && cross(hull[k - 2], hull[k - 1], p) <= 0) --k;
        hull[k++] = p;
    }
    hull.resize(k - 1);
    return hull;
}

}  // namespace

std::vector<RegionFrame> region_frames(const std::vector<MapPlace>& places) {
    std::vector<RegionFrame> frames;
    for (const char* region : region_names()) {
        RegionFrame frame;
        frame.name = region;
        std::vector<MapPoint> points;
        for (const auto& place : places) {
            if (place.region != region) continue;
            frame.province_ids.push_back(place.province_id);
            points.push_back(place.at);
        }
        if (points.empty()) continue;
        frame.left = frame.right = points.front().x;
        frame.top = frame.bottom = points.front().y;
        for (const auto& p : points) {
            frame.left = std::min(frame.left, p.x);
            frame.right = std::max(frame.right, p.x);
            frame.top = std::min(frame.top, p.y);
            frame.bottom = std::max(frame.bottom, p.y);
        }
        frame.hull = convex_hull(points);
        frames.push_back(std::move(frame));
    }
    return frames;
}

std::vector<MapPoint> spread_labels(const std::vector<MapPoint>& at, const std::vector<MapPoint>& sizes, double gap) {
    std::vector<MapPoint> pos = at;
    const std::size_t n = std::min(at.size(), sizes.size());
    pos.resize(n);
    auto clamp_inside = [&](std::size_t i) {
        pos[i].x = std::clamp(pos[i].x, sizes[i].x / 2, kMapWidth - sizes[i].x / 2);
        pos[i].y = std::clamp(pos[i].y, sizes[i].y / 2, kMapHeight - sizes[i].y / 2);
    };
    for (std::size_t i = 0; i < n; ++i) clamp_inside(i);
    // Push overlapping pairs apart along the axis where they overlap least, half each; a few
    // rounds settle the close neighbours without moving anyone else.
    for (int round = 0; round < 200; ++round) {
        bool moved = false;
        for (std::size_t i = 0; i < n; ++i) {
            for (std::size_t j = i + 1; j < n; ++j) {
                const double dx = pos[j].x - pos[i].x, dy = pos[j].y - pos[i].y;
                const double ox = (sizes[i].x + sizes[j].x) / 2 + gap - std::abs(dx);
                const double oy = (sizes[i].y + sizes[j].y) / 2 + gap - std::abs(dy);
                if (ox <= 1e-9 || oy <= 1e-9) continue;
                moved = true;
                if (oy <= ox) {
                    const double s = dy >= 0 ? 1 : -1;
                    pos[i].y -= s * oy / 2;
                    pos[j].y += s * oy / 2;
                } else {
                    const double s = dx >= 0 ? 1 : -1;
                    pos[i].x -= s * ox / 2;
                    pos[j].x += s * ox / 2;
                }
            }
        }
        if (!moved) break;
    }
    for (std::size_t i = 0; i < n; ++i) clamp_inside(i);
    return pos;
}

namespace {

struct Box {
    double left, top, right, bottom;
    bool overlaps(const Box& o) const { return left < o.right && o.left < right && top < o.bottom && o.top < bottom; }
};

Box box_at(const MapPoint& centre, const MapPoint& size, double margin = 0) {
    return {centre.x - size.x / 2 - margin, centre.y - size.y / 2 - margin, centre.x + size.x / 2 + margin,
            centre.y + size.y / 2 + margin};
}

// Distance from a point to a region's convex hull (0 inside).
double distance_to_hull(const MapPoint& p, const std::vector<MapPoint>& hull) {
    if (hull.empty()) return 1e9;
    auto segment = [&](const MapPoint& a, const MapPoint& b) {
        const double dx = b.x - a.x, dy = b.y - a.y, len = dx * dx + dy * dy;
        const double t = len > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len, 0.0, 1.0) : 0.0;
        return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
    };
    if (hull.size() == 1) return std::hypot(p.x - hull[0].x, p.y - hull[0].y);
    bool inside = hull.size() >= 3;
    double best = 1e9;
    for (std::size_t i = 0; i < hull.size(); ++i) {
        const MapPoint& a = hull[i];
        const MapPoint& b = hull[(i + 1) % hull.size()];
        best = std::min(best, segment(a, b));
        // Same turn for every edge means inside a convex polygon, whichever way round it runs.
        const double turn = (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
        const double first = (hull[1].x - hull[0].x) * (p.y - hull[0].y) - (hull[1].y - hull[0].y) * (p.x - hull[0].x);
        if ((turn < 0) != (first < 0)) inside = false;
    }
    return inside ? 0 : best;
}

}  // namespace

std::vector<MapPoint> place_region_captions(const std::vector<RegionFrame>& frames,
                                            const std::vector<MapPoint>& caption_sizes,
                                            const std::vector<MapPoint>& label_centres,
                                            const std::vector<MapPoint>& label_sizes, double frame_pad) {
    std::vector<Box> taken;
    for (std::size_t i = 0; i < label_centres.size() && i < label_sizes.size(); ++i)
        taken.push_back(box_at(label_centres[i], label_sizes[i], 1));
    std::vector<MapPoint> out;
    for (std::size_t r = 0; r < frames.size(); ++r) {
        const RegionFrame& frame = frames[r];
        const MapPoint cs = r < caption_sizes.size() ? caption_sizes[r] : MapPoint{40, 20};
        const double middle = (frame.left + frame.right) / 2;
        MapPoint best{middle, frame.top};
        double best_cost = 1e18;
        for (int id : frame.province_ids) {
            const auto k = static_cast<std::size_t>(id - 1);
            if (id < 1 || k >= label_centres.size() || k >= label_sizes.size()) continue;
            const MapPoint c = label_centres[k], s = label_sizes[k];
            const double up = s.y / 2 + cs.y / 2 + 3, side = s.x / 2 + cs.x / 2 + 3;
            const MapPoint candidates[] = {{c.x, c.y - up},        {c.x - side / 2, c.y - up}, {c.x + side / 2, c.y - up},
                                           {c.x - side, c.y},      {c.x + side, c.y},          {c.x, c.y + up},
                                           {c.x - side, c.y - up}, {c.x + side, c.y - up}};
            for (const MapPoint& at : candidates) {
                const Box b = box_at(at, cs);
                double cost = (at.y - frame.top) + 0.3 * std::abs(at.x - middle);
                if (b.left < 0 || b.top < 0 || b.right > kMapWidth || b.bottom > kMapHeight) cost += 1e6;
                // A caption inside a neighbour's frame would name the wrong region.
                for (std::size_t other = 0; other < frames.size(); ++other)
                    if (other != r && distance_to_hull(at, frames[other].hull) < frame_pad) cost += 300;
                for (const Box& t : taken)
                    if (b.overlaps(t)) cost += 1e4;
                if (cost < best_cost) {
                    best_cost = cost;
                    best = at;
                }
            }
        }
        out.push_back(best);
        taken.push_back(box_at(best, cs, 1));
    }
    return out;
}

MapView load_map(const GameFolder& folder, const SharedValues& shared) {
    MapView view;
    view.caption = "全国地図";
    const auto places = load_map_places(folder, shared);
    view.regions = region_frames(places);

    std::map<int, Kuni> provinces;
    each_province(folder, shared, [&](int id, const Kuni& k) {
        if (k.gunID < 0 || k.gunID > kMaxWarlords)
            throw DataError(label_of(files::kProvinces),
                            "owner " + std::to_string(k.gunID) + " is not a warlord id (0.." +
                                std::to_string(kMaxWarlords) + ")",
                            id);
        provinces[id] = k;
    });
    std::map<int, std::string> names = warlord_names(folder, shared);
    names[0] = "無所属";

    for (const auto& place : places) {
        MapProvince p;
        p.province_id = place.province_id;
        p.name = place.name;
        p.region = place.region;
        p.at = place.at;
        const auto it = provinces.find(place.province_id);
        if (it != provinces.end()) {
            p.owner = it->second.gunID;
            p.troops = it->second.army;
        }
        p.background = owner_colour(p.owner);
        p.text = owner_text_colour(p.owner);
        p.hover = "[" + p.name + "]" + name_or_empty(names, p.owner) + "軍：兵力" + Digits(p.troops);
        view.provinces.push_back(std::move(p));
    }
    for (int w = 1; w <= kLegendEntries; ++w) {
        LegendEntry& entry = view.legend[w - 1];
        entry.warlord_id = w;
        entry.name = w <= shared.gun_count ? name_or_empty(names, w) : std::string();
        entry.colour = owner_colour(w);
    }
    return view;
}

}  // namespace teijinki::info
