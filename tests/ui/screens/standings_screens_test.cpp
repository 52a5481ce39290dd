// The standings' pictures on the offscreen platform: the 勢力推移 screen drawn from a known file
// (lines, colours, the fallen warlord's last point, the measures, the pointer, the PNG) and the
// score chart beside a report.

#include <gtest/gtest.h>

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHorizontalStackedBarSeries>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QTest>

#include "messages/page_store.h"
#include "ui/info/standings_dialog.h"
#include "ui/messages/msg_window.h"
#include "ui/messages/score_chart.h"
#include "ui/ui_support.h"

namespace teijinki::testing {
namespace {

StandingsRow row(int year, int warlord, const char* name, int troops, int fame, float score, bool destroyed = false,
                 bool player = false) {
    StandingsRow r;
    r.year = year;
    r.warlord = warlord;
    r.name = name;
    r.troops = troops;
    r.meisei = fame;
    r.score = score;
    r.destroyed = destroyed;
    r.player = player;
    return r;
}

// 曹操 (warlord 2) is the player's; 袁術 (warlord 4) falls in 192.
std::vector<StandingsRow> known_rows() {
    return {row(190, 2, "曹操", 30, 20, 70, false, true), row(190, 4, "袁術", 50, 15, 80.5f),
            row(191, 2, "曹操", 45, 26, 91, false, true), row(191, 4, "袁術", 20, 15, 44),
            row(192, 2, "曹操", 60, 30, 112.25f, false, true), row(192, 4, "袁術", 0, 15, 0, true)};
}

QColor map_colour(int warlord) {
    const info::MapColour c = info::owner_colour(warlord);
    return QColor(c.red, c.green, c.blue);
}

TEST(StandingsScreen, DrawsEveryWarlordInItsMapColourAndSwitchesMeasures) {
    TempGameFolder dir;
    const GameFolder folder = dir.folder();
    RecordingOpener opener;
    ScriptedQtHost host(folder, opener);
    ui::StandingsDialog screen(nullptr, known_rows(), &host);
    EXPECT_EQ(screen.windowTitle(), QStringLiteral("勢力推移"));

    QLineSeries* player = screen.line_of(2);
    QLineSeries* fallen = screen.line_of(4);
    ASSERT_TRUE(player && fallen);
    EXPECT_EQ(player->pen().color(), map_colour(2));
    EXPECT_EQ(fallen->pen().color(), map_colour(4));
    EXPECT_GT(player->pen().widthF(), fallen->pen().widthF()) << "the player's line is the thicker";
    EXPECT_EQ(player->name(), QStringLiteral("曹操（プレイヤー）"));
    ASSERT_EQ(fallen->count(), 3);
    EXPECT_EQ(fallen->at(2), QPointF(192, 0)) << "the fallen warlord's line ends where it fell";
    EXPECT_EQ(player->at(2), QPointF(192, 60));

    // Key 3 is 名声, key 4 スコア.
    QTest::keyClick(&screen, Qt::Key_3);
    EXPECT_EQ(screen.chart().measure, info::StandingsMeasure::Fame);
    EXPECT_EQ(screen.line_of(2)->at(1), QPointF(191, 26));
    QTest::keyClick(&screen, Qt::Key_4);
    EXPECT_EQ(screen.line_of(4)->at(0), QPointF(190, 80.5));

    // The pointer over a line names the warlord, the nearest year and the value.
    screen.hover(0, QPointF(191.3, 50), true);
    EXPECT_EQ(screen.help_line()->text(), QStringLiteral("曹操（プレイヤー）　191年　スコア：91"));
    screen.hover(0, QPointF(191.3, 50), false);
    EXPECT_TRUE(screen.help_line()->text().isEmpty());
}

TEST(StandingsScreen, SavesThePictureAsPngAndTellsWhenItCannot) {
    TempGameFolder dir;
    const GameFolder folder = dir.folder();
    RecordingOpener opener;
    ScriptedQtHost host(folder, opener);
    ui::StandingsDialog screen(nullptr, known_rows(), &host);
    const QString path = QString::fromStdString((dir.root() / "chart.png").string());
    ASSERT_TRUE(screen.save_picture(path));
    const QImage picture(path);
    EXPECT_FALSE(picture.isNull());
    EXPECT_GT(picture.width(), 300);
    EXPECT_TRUE(host.boxes.empty());

    const QString nowhere = QString::fromStdString((dir.root() / "no" / "such" / "chart.png").string());
    EXPECT_FALSE(screen.save_picture(nowhere));
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_NE(host.boxes[0].find("画像を保存できませんでした。"), std::string::npos);
    EXPECT_NE(host.boxes[0].find("chart.png"), std::string::npos);
}

TEST(ReportChart, ShowsTheYearsScoresBesideTheTextWithThePlayersApart) {
    TempGameFolder dir;
    const GameFolder folder = dir.folder();
    dir.write("ini/standings.csv", format_standings(known_rows()));
    PageStore pages;
    pages.page_text[0] = "ゲーム最終結果";
    pages.page_text[1] = kEndOfText;

    ui::MsgWindow window(nullptr, folder, pages, kMsgReport, false);
    ui::add_score_chart(window, folder, 191);
    auto* view = window.findChild<QChartView*>(QStringLiteral("ScoreChart"));
    ASSERT_NE(view, nullptr);
    auto* bars = qobject_cast<QHorizontalStackedBarSeries*>(view->chart()->series().value(0));
    ASSERT_NE(bars, nullptr);
    ASSERT_EQ(bars->count(), 2);
    // The first warlord at the top, which a horizontal chart draws last.
    QBarSet* players = bars->barSets()[0];
    QBarSet* others = bars->barSets()[1];
    EXPECT_EQ(players->label(), QStringLiteral("プレイヤー"));
    EXPECT_EQ(players->at(1), 91);
    EXPECT_EQ(players->at(0), 0);
    EXPECT_EQ(others->at(0), 44);
    auto* names = qobject_cast<QBarCategoryAxis*>(view->chart()->axes(Qt::Vertical).value(0));
    ASSERT_NE(names, nullptr);
    EXPECT_EQ(names->categories(), (QStringList{QStringLiteral("袁術"), QStringLiteral("曹操")}));

    // A damaged file is named in the chart's place; the report itself is shown as always.
    dir.write("ini/standings.csv", "壊れた\r\n");
    ui::MsgWindow damaged(nullptr, folder, pages, kMsgReport, false);
    ui::add_score_chart(damaged, folder, 191);
    auto* problem = damaged.findChild<QLabel*>(QStringLiteral("ScoreChartProblem"));
    ASSERT_NE(problem, nullptr);
    EXPECT_TRUE(problem->text().contains(QStringLiteral("ini/standings.csv")));
    EXPECT_EQ(damaged.findChild<QChartView*>(), nullptr);
    EXPECT_EQ(damaged.pager().text(), "ゲーム最終結果");
}

}  // namespace
}  // namespace teijinki::testing
