#include "ui/messages/score_chart.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHorizontalStackedBarSeries>
#include <QLabel>
#include <QLegend>
#include <QValueAxis>
#include <algorithm>

#include "ui/messages/msg_window.h"
#include "ui/qt_text.h"
#include "ui/style.h"
#include "world/error.h"
#include "world/template_composer.h"

namespace teijinki::ui {

namespace {
constexpr const char* kPlayersSet = "プレイヤー";
constexpr const char* kOthersSet = "その他の軍閥";
constexpr const char* kFallen = "（滅亡）";
const QColor kOthersColour{0x7a, 0x6a, 0x52};
}  // namespace

QWidget* make_score_chart(const std::vector<info::ScoreBar>& bars) {
    // Two stacked sets, each bar in exactly one of them, so the legend tells players from the rest.
    auto* players = new QBarSet(QString::fromUtf8(kPlayersSet));
    auto* others = new QBarSet(QString::fromUtf8(kOthersSet));
    players->setColor(colors::kLacquer);
    players->setBorderColor(colors::kLacquer);
    others->setColor(kOthersColour);
    others->setBorderColor(kOthersColour);
    QStringList names;
    double top = 0;
    // A horizontal bar chart draws its first category at the bottom: the last warlord goes first.
    for (auto bar = bars.rbegin(); bar != bars.rend(); ++bar) {
        names << qs(bar->destroyed ? bar->name + kFallen : bar->name);
        *players << (bar->player ? bar->score : 0.0);
        *others << (bar->player ? 0.0 : bar->score);
        top = std::max(top, bar->score);
    }
    auto* series = new QHorizontalStackedBarSeries;
    series->append(players);
    series->append(others);
    series->setBarWidth(0.7);

    auto* chart = new QChart;
    chart->addSeries(series);
    chart->setBackgroundBrush(colors::kParchment);
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->setTitle(QStringLiteral("スコア"));
    chart->setTitleFont(serif_font(13.0, true));
    chart->setTitleBrush(colors::kInk);
    auto* names_axis = new QBarCategoryAxis;
    names_axis->append(names);
    names_axis->setLabelsFont(serif_font(10.5));
    names_axis->setLabelsColor(colors::kInk);
    names_axis->setGridLineVisible(false);
    names_axis->setTruncateLabels(false);  // a name cut to "…" says nothing
    auto* score_axis = new QValueAxis;
    score_axis->setRange(0, top > 0 ? top * 1.05 : 1.0);
    score_axis->applyNiceNumbers();
    score_axis->setLabelFormat(QStringLiteral("%d"));
    score_axis->setLabelsFont(serif_font(10.0));
    score_axis->setLabelsColor(colors::kInk);
    chart->addAxis(names_axis, Qt::AlignLeft);
    chart->addAxis(score_axis, Qt::AlignBottom);
    series->attachAxis(names_axis);
    series->attachAxis(score_axis);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->setFont(serif_font(11.0));
    chart->legend()->setLabelColor(colors::kInk);

    auto* view = new QChartView(chart);
    view->setObjectName(QStringLiteral("ScoreChart"));
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(440, 320);
    view->setFocusPolicy(Qt::NoFocus);
    return view;
}

void add_score_chart(MsgWindow& window, const GameFolder& folder, int year) {
    std::vector<info::ScoreBar> bars;
    try {
        bars = info::score_bars(read_standings(folder), year);
    } catch (const DataError& e) {
        auto* problem = new QLabel(qs(std::string("勢力推移の記録を読めないため、グラフは出せません。") + kCrLf + e.what()));
        problem->setObjectName(QStringLiteral("ScoreChartProblem"));
        problem->setWordWrap(true);
        problem->setMinimumWidth(260);
        window.show_beside_text(problem);
        return;
    }
    if (!bars.empty()) window.show_beside_text(make_score_chart(bars));
}

}  // namespace teijinki::ui
