#include "screens/info_lists.h"

#include <map>

#include "screens/info_records.h"
#include "world/numbers.h"
#include "world/records.h"

namespace teijinki::info {

// ---- Warlord sheet ----

WarlordSheet load_warlord_sheet(const GameFolder& folder, const SharedValues& shared, int warlord_id,
                                const std::string& txt_lab) {
    WarlordSheet sheet;
    sheet.warlord_id = warlord_id;
    sheet.txt_lab = txt_lab;
    sheet.figure_captions = {"総兵力", "精兵数", "名声", "治安", "結束力", "畏怖", "領国数"};
    sheet.job_frames = {"文官", "武官", "参謀（軍師）", "将軍", "君主"};

    Gun gun;
    each_warlord(folder, shared, [&](int id, const Gun& g, const std::string&) {
        if (id != warlord_id) return;
        gun = g;
        sheet.found = true;
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
    bool lord_found = false;
    each_general(folder, shared, [&](int id, const Bushou& b) {
        if (lord != 0 && b.kunID == lord && b.Job >= 1) {
            const int list = b.Job == kJobGunshi ? 2 : b.Job - 1;
            if (list < 5) sheet.job_lists[list].push_back({id, b.name});
        }
        if (id == lord) {
            lord_found = true;
            sheet.portrait = b.jpg;
        }
    });
    // A lord past the general count is a general who cannot be found: the stand-in portrait.
    if (!lord_found && lord != 0) sheet.portrait = kMissingGeneralPortrait;
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
    for (int k = 0; k < kGeneralColumns; ++k) view.columns.at(k).visible = k < shared.gun_count;
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

}  // namespace teijinki::info
