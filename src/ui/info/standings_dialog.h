#pragma once
// Standings "勢力推移": one measure over the years (総兵力, 領国数, 名声, スコア, the player's
// choice), every warlord a line in its map colour, a fallen warlord's line ending where it
// fell, the players' lines thicker and marked in the legend. The pointer over a line names the
// warlord, the year and the value; the picture can be saved as a PNG file.

#include <QDialog>
#include <vector>

#include "screens/standings_chart.h"

class QButtonGroup;
class QChart;
class QChartView;
class QLabel;
class QLineSeries;

namespace teijinki::ui {

class QtHost;

class StandingsDialog : public QDialog {
    Q_OBJECT
public:
    StandingsDialog(QWidget* parent, std::vector<StandingsRow> rows, QtHost* host = nullptr);

    // Draws the chart of one measure (keys 1 to 4 and the measure buttons do the same).
    void show_measure(info::StandingsMeasure measure);
    const info::StandingsChart& chart() const { return chart_; }
    QChart* qchart() const;
    // The drawn line of a warlord; nullptr when it has none.
    QLineSeries* line_of(int warlord) const;
    QLabel* help_line() const { return help_; }
    // The pointer over the line of chart().series[index] at a point of the chart (hovered).
    void hover(std::size_t index, QPointF point, bool over);
    // Writes the chart as a PNG file; false when it cannot, after telling the player.
    bool save_picture(const QString& path);
    // "画像を保存": asks for the file, then save_picture.
    void cmdSavePicture_Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void tell(const std::string& text);

    std::vector<StandingsRow> rows_;
    QtHost* host_;
    info::StandingsChart chart_;
    QChartView* view_;
    QButtonGroup* measures_;
    QLabel* help_;
    QLabel* empty_;
    std::vector<QLineSeries*> lines_;  // by chart_.series index
};

}  // namespace teijinki::ui
