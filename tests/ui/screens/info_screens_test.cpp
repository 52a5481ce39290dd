// The information screens on the offscreen platform: what their controls show, the clicks that
// open other screens, and a whole new game's screens (the program's screenshot tour pictures them).

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "ui/game_screens.h"
#include "ui/info/all_bdata_dialog.h"
#include "ui/info/all_gdata_dialog.h"
#include "ui/info/all_kunidata_dialog.h"
#include "ui/info/bdata_dialog.h"
#include "ui/info/gdata_dialog.h"
#include "ui/info/map_dialog.h"
#include "ui/info/qt_info_columns.h"
#include "ui/info/qt_info_screens.h"
#include "setup/new_game.h"
#include "turn/main_state.h"
#include "test_support.h"
#include "ui/qt_host.h"
#include "ui/style.h"
#include "world/random.h"

namespace teijinki::ui {
namespace {

using testing::crlf_lines;
using testing::TempGameFolder;

std::string general(int id, const std::string& name, int lord, int job) {
    return crlf_lines({"." + std::to_string(id), "\"" + name + "\"", "11,22,33,44", "55,66",
                       std::to_string(lord) + "," + std::to_string(job), "\"nobody\""});
}

std::string warlord(int id, const std::string& name, int kunshu, int army, int seihei, bool destroyed) {
    return crlf_lines({"." + std::to_string(id), "\"" + name + "\"",
                       "0," + std::to_string(kunshu) + "," + std::to_string(army) + "," + std::to_string(seihei) +
                           ",20,80,70,50",
                       destroyed ? "\"TRUE\"" : "\"FALSE\""});
}

// Runs no dialog: notes which one would have opened, with form_param at that moment.
class RecordingHost : public QtHost {
public:
    RecordingHost(const GameFolder& folder, ScreenOpener& opener) : QtHost(folder, opener) {}
    int run_modal(QDialog& dialog) override {
        opened.push_back(dialog.objectName());
        form_params.push_back(shared ? static_cast<int>(shared->form_param) : -1);
        if (auto* box = qobject_cast<QMessageBox*>(&dialog)) texts.push_back(box->text());
        if (auto* line = dialog.findChild<QLabel*>(QStringLiteral("Txt_lab"))) texts.push_back(line->text());
        return 0;
    }
    SharedValues* shared = nullptr;
    QStringList opened;
    std::vector<int> form_params;
    QStringList texts;
};

class SmallScreens : public ::testing::Test {
protected:
    void SetUp() override {
        dir.write("ini/busv.ini", general(1, "董卓", 1, 5) + general(2, "李儒", 1, 6) + general(3, "袁紹", 3, 5) +
                                      general(4, "張魯", 4, 5));
        dir.write("ini/gunsv.ini", warlord(1, "董卓", 1, 30, 5, false) + warlord(2, "袁紹", 3, 12, 3, false) +
                                       warlord(3, "張魯", 4, 0, 0, true));
        dir.write("ini/Kunisv.ini", crlf_lines({".1", "\"洛陽\"", "1,30", ".2", "\"漢中\"", "0,7"}));
        dir.write("ini/KuniMap.ini", crlf_lines({".1", "\"洛陽\",\"豫州\"", "623,296", ".2", "\"漢中\",\"益州\"", "429,356"}));
        shared.bushou_count = 4;
        shared.gun_count = 3;
        shared.kuni_count = 2;
    }
    TempGameFolder dir;
    GameFolder folder = dir.folder();
    SharedValues shared;
};

// Closes the next modal window once it is up, keeping the text it showed.
void close_next_modal(QString* text = nullptr, QString* object_name = nullptr) {
    QTimer::singleShot(0, [text, object_name] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        if (object_name) *object_name = modal->objectName();
        if (auto* box = qobject_cast<QMessageBox*>(modal); box && text) *text = box->text();
        modal->close();
    });
}

TEST_F(SmallScreens, WarlordSheetShowsFiguresAndOpensGeneralsAndTable) {
    GameScreenOpener plain;
    RecordingHost host(folder, plain);
    host.shared = &shared;
    GdataDialog sheet(nullptr, folder, shared, info::load_warlord_sheet(folder, shared, 1, "戦争を画策中"), &host);
    EXPECT_EQ(sheet.windowTitle(), QStringLiteral("董卓軍の内情"));
    const auto* values = sheet.findChild<QLabel*>(QStringLiteral("Label2"));
    ASSERT_TRUE(values);
    EXPECT_EQ(values->text().split('\n').value(0), QStringLiteral("35000"));
    EXPECT_EQ(sheet.findChild<QLabel*>(QStringLiteral("Txt_lab"))->text(), QStringLiteral("戦争を画策中"));
    EXPECT_EQ(sheet.findChild<QLabel*>(QStringLiteral("Lab_Ryou"))->text(), QStringLiteral("洛陽、"));

    QListWidget* strategists = sheet.job_list(2);
    ASSERT_EQ(strategists->count(), 1);
    EXPECT_EQ(strategists->item(0)->text(), QStringLiteral("李儒"));
    QTest::mouseClick(strategists->viewport(), Qt::LeftButton, {},
                      strategists->visualItemRect(strategists->item(0)).center());
    sheet.findChild<QPushButton*>(QStringLiteral("Command1_1"))->click();
    EXPECT_EQ(host.opened, (QStringList{QStringLiteral("Status"), QStringLiteral("B_data")}));
    EXPECT_EQ(host.form_params, (std::vector<int>{2, 1}));  // the general; then the lord of the table
}

TEST_F(SmallScreens, ListsOfWarlordsAndGenerals) {
    AllGdataDialog list(nullptr, folder, shared, info::load_warlord_list(folder, shared));
    EXPECT_EQ(list.windowTitle(), QStringLiteral("軍閥一覧"));
    EXPECT_EQ(list.findChild<QLabel*>(QStringLiteral("Lab_name"))->text(), QStringLiteral("董卓\n袁紹"));
    EXPECT_EQ(list.findChild<QLabel*>(QStringLiteral("Lab_abl_0"))->text(), QStringLiteral("35\n15"));
    EXPECT_TRUE(list.findChild<QScrollBar*>(QStringLiteral("VScroll1")));

    GameScreenOpener plain;
    RecordingHost host(folder, plain);
    host.shared = &shared;
    AllBdataDialog columns(nullptr, folder, shared, info::load_generals_by_warlord(folder, shared), &host);
    EXPECT_EQ(columns.windowTitle(), QStringLiteral("各軍閥所属部将"));
    EXPECT_TRUE(columns.heading(2)->styleSheet().contains(QStringLiteral("#c0c0c0")));  // destroyed: silver
    EXPECT_FALSE(columns.heading(0)->styleSheet().contains(QStringLiteral("#c0c0c0")));
    EXPECT_TRUE(columns.column(2)->styleSheet().contains(QStringLiteral("#c0c0c0")));
    EXPECT_FALSE(columns.column(2)->isHidden());
    EXPECT_TRUE(columns.column(3)->isHidden());

    QListWidget* first = columns.column(0);
    ASSERT_EQ(first->count(), 2);
    columns.show();
    QTest::mouseClick(first->viewport(), Qt::LeftButton, {}, first->visualItemRect(first->item(1)).center());
    EXPECT_EQ(host.opened, QStringList{QStringLiteral("Status")});
    EXPECT_EQ(host.form_params, std::vector<int>{2});

    AllKuniDataDialog provinces(nullptr, info::load_province_list(folder, shared));
    EXPECT_EQ(provinces.findChild<QLabel*>(QStringLiteral("Lab_gun"))->text(), QStringLiteral("董卓\n"));
}

TEST_F(SmallScreens, MapPaintsOwnersAndTellsWhatIsUnderThePointer) {
    MapDialog map(nullptr, folder, shared, info::load_map(folder, shared));
    EXPECT_EQ(map.windowTitle(), QStringLiteral("全国地図"));
    QLabel* unowned = map.province_label(1);
    EXPECT_EQ(unowned->objectName(), QStringLiteral("Lab_Tosi_1"));
    const QString system = map.palette().color(QPalette::Active, QPalette::HighlightedText).name();
    EXPECT_TRUE(unowned->styleSheet().contains(QStringLiteral("background:") + system)) << unowned->styleSheet().toStdString();
    EXPECT_TRUE(unowned->styleSheet().contains(QStringLiteral("color:#000000")));
    EXPECT_TRUE(map.province_label(0)->styleSheet().contains(QStringLiteral("color:#ffff00")));  // on blue

    map.show();
    QTest::mouseMove(unowned, unowned->rect().center());
    QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), unowned->mapToGlobal(QPointF(3, 3)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(unowned, &move);
    EXPECT_EQ(map.help_line()->text(), QStringLiteral("[漢中]無所属軍：兵力7"));

    EXPECT_EQ(map.findChild<QLabel*>(QStringLiteral("lab_Gun_2"))->text(), QStringLiteral("袁紹"));
    EXPECT_EQ(map.findChild<QLabel*>(QStringLiteral("lab_Gun_4"))->text(), QString());

    QString name;
    close_next_modal(nullptr, &name);
    map.findChild<QPushButton*>(QStringLiteral("Command1_1"))->click();
    EXPECT_EQ(name, QStringLiteral("All_KuniData"));
}

TEST_F(SmallScreens, AMissingWorkingFileIsNamedAndNothingOpens) {
    std::filesystem::remove(dir.root() / "ini" / "KuniMap.ini");
    GameScreenOpener plain;
    RecordingHost host(folder, plain);
    show_map(nullptr, folder, shared, &host);
    ASSERT_EQ(host.texts.size(), 1u);
    EXPECT_TRUE(host.texts[0].contains(QStringLiteral("KuniMap.ini"))) << host.texts[0].toStdString();
    EXPECT_FALSE(host.opened.contains(QStringLiteral("Map")));

    // Without a host the box is the screen's own.
    QString text;
    close_next_modal(&text);
    show_map(nullptr, folder, shared);
    EXPECT_TRUE(text.contains(QStringLiteral("KuniMap.ini"))) << text.toStdString();

    // The opener the main screen calls reads form_param and msg_text as it prepared them.
    GameScreenOpener opener;
    RecordingHost over(folder, opener);
    over.shared = &shared;
    SeededRandom rng(1);
    MainState m(folder, shared, rng, over);
    shared.form_param = 2;
    shared.msg_text = "待機を画策中";
    opener.open_warlord_sheet(nullptr, m);
    opener.open_warlord_list(nullptr, m);
    EXPECT_EQ(over.opened, (QStringList{QStringLiteral("Gdata"), QStringLiteral("ALL_Gdata")}));
    EXPECT_EQ(over.texts, QStringList{QStringLiteral("待機を画策中")});
    EXPECT_EQ(over.form_params.front(), 2);
}

// ---- A new game of the shipped scenarios ----

TEST(ShippedScreens, EveryScreenOfANewGame) {
    for (int scenario : {1, 2}) {
        TempGameFolder dir;
        dir.copy_shipped_ini();
        for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(TEIJINKI_DATA_DIR) / "CG"))
            std::filesystem::copy_file(entry.path(), dir.root() / "CG" / entry.path().filename());
        const GameFolder folder = dir.folder();
        SharedValues shared;
        SeededRandom rng(11);
        ASSERT_TRUE(select_scenario(folder, shared, scenario));
        const auto warlords = ld_Gnm_rtn(folder, shared);
        std::vector<bool> ticked(warlords.size(), false);
        ticked[0] = true;
        ASSERT_TRUE(start_new_game_files(folder, shared, rng, warlords, ticked));
        mk_Gunsv_rtn(folder, scenario);

        MapDialog map(nullptr, folder, shared, info::load_map(folder, shared));
        ASSERT_EQ(map.view().provinces.size(), 48u);
        // The labels lie apart on the map as it opens and on the smallest map a small screen gets.
        const auto expect_labels_apart = [](const MapDialog& map, const char* size) {
            const QRect canvas = map.province_label(0)->parentWidget()->rect();
            for (int i = 0; i < 48; ++i) {
                EXPECT_TRUE(canvas.contains(map.province_label(i)->geometry())) << size << " " << i;
                for (int j = i + 1; j < 48; ++j)
                    EXPECT_FALSE(map.province_label(i)->geometry().intersects(map.province_label(j)->geometry()))
                        << size << ": " << map.province_label(i)->text().toStdString() << " covers "
                        << map.province_label(j)->text().toStdString();
            }
        };
        expect_labels_apart(map, "as it opens");
        {
            MapDialog small(nullptr, folder, shared, info::load_map(folder, shared));
            small.show();
            small.resize(small.minimumSizeHint());
            QApplication::processEvents();
            EXPECT_LT(small.findChild<QWidget*>(QStringLiteral("MapPicture"))->height(), 400);
            expect_labels_apart(small, "smallest");
        }
        EXPECT_EQ(map.findChild<QLabel*>(QStringLiteral("lab_Gun_13"))->text().isEmpty(), scenario == 2);
        map.help_line()->setText(QString::fromUtf8(map.view().provinces[17].hover.c_str()));

        AllGdataDialog list(nullptr, folder, shared, info::load_warlord_list(folder, shared));
        EXPECT_EQ(list.sheet()->row_count(), shared.gun_count);

        AllBdataDialog columns(nullptr, folder, shared, info::load_generals_by_warlord(folder, shared));
        EXPECT_EQ(columns.column(12)->isHidden(), scenario == 2);

        AllKuniDataDialog provinces(nullptr, info::load_province_list(folder, shared));
        EXPECT_EQ(provinces.sheet()->row_count(), 48);

        GdataDialog sheet(nullptr, folder, shared, info::load_warlord_sheet(folder, shared, 1, "戦争を画策中"));
        int listed = 0;
        for (int k = 0; k < 5; ++k) listed += sheet.job_list(k)->count();
        EXPECT_GT(listed, 1);

        BdataDialog table(nullptr, info::load_general_table(folder, shared, sheet.sheet().kunshu_id));
        EXPECT_EQ(static_cast<int>(table.view().rows.size()), listed);
    }
}

}  // namespace
}  // namespace teijinki::ui
