#include "turn/reports.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "messages/page_store.h"
#include "turn/year_records.h"
#include "world/error.h"
#include "world/record_file.h"

namespace teijinki {

namespace {

constexpr const char* kLogCopiedNote = "＊「save」フォルダ内にログファイル「kdn_end.log」を作成しました。";
constexpr const char* kLogMissingNote = "＊ログファイル「ini/kodarn.log」が見つからないため、「kdn_end.log」は作成できませんでした。";

bool leads_alliance(const Gun& g) { return g.meishuID == g.kunshuID; }

void copy_log(const MainState& m) {
    std::error_code ec;
    std::filesystem::create_directories(m.folder.resolve("\\save"), ec);
    if (ec) throw DataError(GameFolder::display_name("\\save"), "folder cannot be created: " + ec.message());
    m.folder.copy_file(files::kLog, files::kEndLog);
}

}  // namespace

ScoreTerms score_terms(const SharedValues& shared, const Gun& g) {
    ScoreTerms t;
    t.troops = static_cast<float>(g.army) * static_cast<float>(static_cast<int>(g.tian) + 50) / 150.0f;
    t.fame = static_cast<float>(static_cast<int>(g.meisei) * 2);
    if (leads_alliance(g)) {
        const int s = std::clamp<int>(shared.gun_mei2[g.id], 0, kMaxAlliances);
        t.alliance = static_cast<float>(shared.mei_troops[s]) / 100.0f * static_cast<float>(shared.mei_kessoku[s]);
    }
    return t;
}

void show_text_window(MainState& m, int msg_mode) {
    PageStore pages;
    pages.page_text[0] = m.shared.msg_text;
    pages.page_text[1] = kEndOfText;
    m.host.show_pages(pages, msg_mode, false);
}

void Houkoku_rtn(MainState& m) {
    const auto set = load_warlords(m);
    const int count = last_warlord(m.shared);
    std::string& out = m.text.text_buf[0];

    Int16 total = 0;
    for (int id = 1; id <= count; ++id) {
        const Gun& g = set->gun[id];
        if (g.del) {
            out += g.name + " 滅亡" + kCrLf;
            continue;
        }
        const float score = score_terms(m.shared, g).total();
        total = CInt(static_cast<float>(total) + score);
        out += g.name + " " + Str(static_cast<double>(score)) + kCrLf;
    }
    out += kCrLf;

    for (int slot = 0; slot <= 18; ++slot) {
        const int id = m.shared.player_gun[slot];
        if (id <= 0 || id > count) continue;
        const Gun& g = set->gun[id];
        out += g.name + "（プレイヤー）" + kCrLf;
        if (g.del) {
            out += std::string("滅亡：0") + kCrLf + kCrLf;
            continue;
        }
        const ScoreTerms t = score_terms(m.shared, g);
        const long long troops = Int(t.troops);
        out += "動員可能な兵力：" + Str(troops) + "000（1000で割ります）" + kCrLf;
        out += "名声：" + Str(static_cast<long long>(g.meisei)) + "（２を掛けます）" + kCrLf;
        long long alliance = 0;
        if (leads_alliance(g)) {
            alliance = Int(t.alliance);
            out += "盟主である同盟の期待できる兵力：" + Str(alliance) + "000（1000で割ります）" + kCrLf;
        } else {
            out += std::string("盟主でない") + kCrLf;
        }
        const long long score = troops + static_cast<long long>(g.meisei) * 2 + alliance;
        out += "最終成績：" + Str(score) + kCrLf;
        // With nothing scored anywhere there is no share to speak of.
        const float share = total == 0 ? 0.0f : static_cast<float>(score) / static_cast<float>(static_cast<int>(total));
        out += "制覇率：" + Str(Comma3(share)) + "（自軍スコア／全軍閥のスコア）" + kCrLf;
    }

    const bool have_log = m.folder.exists(files::kLog);
    out += std::string(have_log ? kLogCopiedNote : kLogMissingNote) + kCrLf;
    if (have_log) copy_log(m);

    m.shared.msg_text = out;
    show_text_window(m, kMsgReport);
}

void mkFristLog(MainState& m) { m.folder.write_text(files::kLog, std::string("鼎陣記の記録") + kCrLf); }

}  // namespace teijinki
