#pragma once
// Map "全国地図": the provinces as labels on a drawn map of China, painted in their owners'
// colours inside the frames of their regions, with a legend of the warlords and a line telling
// the owner and troops of the province under the pointer.

#include <QDialog>
#include <vector>

#include "screens/map_data.h"

class QLabel;

namespace teijinki::ui {

class QtHost;

class MapDialog : public QDialog {
public:
    MapDialog(QWidget* parent, const GameFolder& folder, SharedValues& shared, info::MapView view,
              QtHost* host = nullptr);

    const info::MapView& view() const { return view_; }
    // Lab_Tosi(k): the label of province k + 1.
    QLabel* province_label(int k) const { return labels_.at(static_cast<std::size_t>(k)); }
    QLabel* help_line() const { return help_; }
    // A map colour as this screen paints it (the system colour resolved from the palette).
    QColor colour(const info::MapColour& c) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const GameFolder& folder_;
    SharedValues& shared_;
    QtHost* host_;
    info::MapView view_;
    std::vector<QLabel*> labels_;
    QLabel* help_ = nullptr;
};

}  // namespace teijinki::ui
