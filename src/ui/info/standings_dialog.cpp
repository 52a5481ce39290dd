#include "ui/info/standings_dialog.h"

#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QToolTip>
#include <QValueAxis>
#include <QVBoxLayout>
#include <cmath>

#include "ui/qt_host.h"
#include "ui/qt_text.h"
#include "ui/style.h"
#include "ui/window_fit.h"

namespace teijinki::ui {

namespace {

constexpr double kLineWidth = 2.2;
constexpr double kPlayerLineWidth = 4.6;
// A dark edge under every line, so that the light map colours (yellow, cyan, silver) read on
// the parchment as well as the dark ones.
const QColor kEdge{0x2a, 0x1e, 0x12, 150};
constexpr double kEdgeExtra = 2.4;

QColor qcolour(const info::MapColour& c) { return QColor(c.red, c.green, c.blue); }

// Years on the axis every five years (every year in a short game), on round years.
void set_year_axis(QValueAxis& axis, int first, int last) {
    if (last <= first) last = first + 1;
    axis.setRange(first, last);
    axis.setTickType(QValueAxis::TicksDynamic);
    const int step = last - first > 12 ? 5 : 1;
    axis.setTickAnchor(std::floor(first / static_cast<double>(step)) * step);
    axis.setTickInterval(step);
    axis.setLabelFormat(QStringLiteral("%d"));
}

}  // namespace

StandingsDialog::StandingsDialog(QWidget* parent, std::vector<StandingsRow> rows, QtHost* host)
    : QDialog(parent), rows_(std::move(rows)), host_(host) {
    setObjectName(QStringLiteral("Standings"));
    fit_on_show(*this);
    setWindowTitle(QString::fromUtf8(info::kStandingsCaption));
    setModal(true);

    auto* heading = new QLabel(QString::fromUtf8(info::kStandingsCaption), this);
    mark_heading(heading, 20.0);
    measures_ = new QButtonGroup(this);
    auto* choice = new QHBoxLayout;
    choice->addWidget(heading);
    choice->addSpacing(24);
    const auto& all = info::standings_measures();
    for (std::size_t i = 0; i < all.size(); ++i) {
        auto* button = new QRadioButton(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QString::fromUtf8(info::measure_caption(all[i]))), this);
        button->setObjectName(QStringLiteral("Measure_%1").arg(i));
        button->setFont(serif_font(13.0, true));
        measures_->addButton(button, static_cast<int>(i));
        choice->addWidget(button);
    }
    choice->addStretch(1);
    connect(measures_, &QButtonGroup::idClicked, this,
            [this](int id) { show_measure(info::standings_measures()[static_cast<std::size_t>(id)]); });

    view_ = new QChartView(this);
    view_->setObjectName(QStringLiteral("Chart"));
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setMinimumSize(480, 320);
    empty_ = new QLabel(QString::fromUtf8(info::kNoStandings), this);
    empty_->setObjectName(QStringLiteral("NoStandings"));
    empty_->setAlignment(Qt::AlignCenter);
    empty_->setFont(serif_font(14.0));
    empty_->setVisible(rows_.empty());

    help_ = new QLabel(this);
    help_->setObjectName(QStringLiteral("Lab_hlp"));
    help_->setProperty("role", QStringLiteral("help"));
    help_->setFont(serif_font(13.0));
    help_->setMinimumHeight(26);
    auto* save = new QPushButton(QStringLiteral("画像を保存"), this);
    save->setObjectName(QStringLiteral("cmdSavePicture"));
    save->setShortcut(QKeySequence::Save);
    save->setAutoDefault(false);
    connect(save, &QPushButton::clicked, this, &StandingsDialog::cmdSavePicture_Click);
    auto* back = new QPushButton(QStringLiteral("戻る"), this);
    back->setObjectName(QStringLiteral("Command1_0"));
    back->setAutoDefault(false);
    connect(back, &QPushButton::clicked, this, &QDialog::accept);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(help_, 1);
    bottom->addWidget(save);
    bottom->addWidget(back);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->addLayout(choice);
    layout->addWidget(view_, 1);
    layout->addWidget(empty_);
    layout->addLayout(bottom);
    resize(1080, 700);  // held to the screen when shown

    measures_->button(0)->setChecked(true);
    measures_->button(0)->setFocus();
    show_measure(all[0]);
}

QChart* StandingsDialog::qchart() const { return view_->chart(); }

QLineSeries* StandingsDialog::line_of(int warlord) const {
    for (std::size_t i = 0; i < chart_.series.size(); ++i)
        if (chart_.series[i].warlord == warlord) return lines_[i];
    return nullptr;
}

void StandingsDialog::show_measure(info::StandingsMeasure measure) {
    const auto& all = info::standings_measures();
    for (std::size_t i = 0; i < all.size(); ++i)
        if (all[i] == measure) measures_->button(static_cast<int>(i))->setChecked(true);
    chart_ = info::build_standings_chart(rows_, measure);
    lines_.clear();
    help_->clear();

    auto* chart = new QChart;
    chart->setBackgroundBrush(colors::kParchment);
    chart->setBackgroundRoundness(0);
    chart->setPlotAreaBackgroundBrush(QColor(0xfb, 0xf5, 0xe4));
    chart->setPlotAreaBackgroundVisible(true);
    chart->setMargins(QMargins(6, 6, 6, 6));
    auto* years = new QValueAxis;
    set_year_axis(*years, chart_.first_year, chart_.last_year);
    years->setTitleText(QStringLiteral("年"));
    auto* values = new QValueAxis;
    values->setRange(0, chart_.max_value > 0 ? chart_.max_value * 1.05 : 1.0);
    values->applyNiceNumbers();
    values->setLabelFormat(QStringLiteral("%d"));
    values->setTitleText(qs(info::measure_axis_title(measure)));
    for (QValueAxis* axis : {years, values}) {
        axis->setLabelsFont(serif_font(10.5));
        axis->setTitleFont(serif_font(11.0, true));
        axis->setLabelsColor(colors::kInk);
        axis->setTitleBrush(colors::kInk);
        axis->setGridLineColor(QColor(0xdd, 0xcb, 0xa0));
    }
    chart->addAxis(years, Qt::AlignBottom);
    chart->addAxis(values, Qt::AlignLeft);

    // Edges first, so that every coloured line lies above every edge.
    std::vector<QLineSeries*> edges;
    for (const info::StandingsSeries& s : chart_.series) {
        auto* edge = new QLineSeries;
        auto* line = new QLineSeries;
        for (const info::StandingsPoint& p : s.points) {
            edge->append(p.year, p.value);
            line->append(p.year, p.value);
        }
        const double width = s.player ? kPlayerLineWidth : kLineWidth;
        edge->setPen(QPen(kEdge, width + kEdgeExtra, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        line->setPen(QPen(qcolour(s.colour), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        line->setName(qs(s.legend));
        line->setObjectName(QStringLiteral("line_%1").arg(s.warlord));
        // A line of one year is a point; longer ones need no markers to be read.
        line->setPointsVisible(s.points.size() < 2);
        edges.push_back(edge);
        lines_.push_back(line);
    }
    for (QLineSeries* edge : edges) chart->addSeries(edge);
    for (QLineSeries* line : lines_) chart->addSeries(line);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        for (QLineSeries* series : {edges[i], lines_[i]}) {
            series->attachAxis(years);
            series->attachAxis(values);
            connect(series, &QLineSeries::hovered, this,
                    [this, i](const QPointF& point, bool over) { hover(i, point, over); });
        }
        for (QLegendMarker* marker : chart->legend()->markers(edges[i])) marker->setVisible(false);
        if (chart_.series[i].player)
            for (QLegendMarker* marker : chart->legend()->markers(lines_[i])) marker->setFont(serif_font(11.0, true));
    }
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->legend()->setFont(serif_font(11.0));
    chart->legend()->setLabelColor(colors::kInk);

    QChart* old = view_->chart();
    view_->setChart(chart);
    delete old;
}

void StandingsDialog::hover(std::size_t index, QPointF point, bool over) {
    if (!over || index >= chart_.series.size()) {
        help_->clear();
        QToolTip::hideText();
        return;
    }
    const QString text = qs(info::point_text(chart_.series[index], chart_.measure, point.x()));
    help_->setText(text);
    if (isVisible()) QToolTip::showText(QCursor::pos(), text, view_);
}

void StandingsDialog::tell(const std::string& text) {
    if (host_) {
        host_->message_box_over(this, text, Buttons::Ok);
    } else {
        QMessageBox box(QMessageBox::Warning, windowTitle(), qs(text), QMessageBox::Ok, this);
        box.exec();
    }
}

bool StandingsDialog::save_picture(const QString& path) {
    if (view_->grab().save(path, "PNG")) return true;
    tell("画像を保存できませんでした。\r\n" + ss(QDir::toNativeSeparators(path)));
    return false;
}

void StandingsDialog::cmdSavePicture_Click() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
    const QString suggested = QDir(folder).filePath(
        QStringLiteral("勢力推移_%1.png").arg(QString::fromUtf8(info::measure_caption(chart_.measure))));
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("画像を保存"), suggested,
                                                QStringLiteral("PNG (*.png)"));
    if (path.isEmpty()) return;
    if (!path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) path += QStringLiteral(".png");
    save_picture(path);
}

void StandingsDialog::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const auto& all = info::standings_measures();
    if (key >= Qt::Key_1 && key < Qt::Key_1 + static_cast<int>(all.size())) {
        show_measure(all[static_cast<std::size_t>(key - Qt::Key_1)]);
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace teijinki::ui
