#include "ui/screen_opener.h"

#include "ui/qt_host.h"
#include "world/host.h"

namespace teijinki::ui {

void ScreenOpener::not_built(QWidget* parent, const std::string& screen_name) {
    const std::string text = "「" + screen_name + "」はまだ用意されていません。";
    if (host_)
        host_->message_box_over(parent, text, Buttons::Ok);
}

int ScreenOpener::open_load_from_title(QWidget* parent, const GameFolder&, SharedValues&) {
    not_built(parent, "ロード画面");
    return 0;
}

void ScreenOpener::save_game(QWidget* parent, MainState&) { not_built(parent, "セーブ画面"); }
void ScreenOpener::load_game(QWidget* parent, MainState&) { not_built(parent, "ロード画面"); }
void ScreenOpener::open_warlord_list(QWidget* parent, MainState&) { not_built(parent, "軍閥一覧"); }
void ScreenOpener::open_map(QWidget* parent, MainState&) { not_built(parent, "全国地図"); }
void ScreenOpener::open_warlord_sheet(QWidget* parent, MainState&) { not_built(parent, "軍閥のデータ"); }

}  // namespace teijinki::ui
