#pragma once
// The warlord sheet Gdata: the lord's portrait, the warlord's figures, its provinces, the
// caller's line and its generals in five lists by job.

#include <QDialog>
#include <array>

#include "screens/info_lists.h"

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace teijinki::ui {

class QtHost;

class GdataDialog : public QDialog {
public:
    GdataDialog(QWidget* parent, const GameFolder& folder, SharedValues& shared, info::WarlordSheet sheet,
              QtHost* host = nullptr);

    const info::WarlordSheet& sheet() const { return sheet_; }
    QListWidget* job_list(int k) const { return lists_.at(static_cast<std::size_t>(k)); }

private:
    void general_clicked(QListWidgetItem* item);
    void open_general_table();

    const GameFolder& folder_;
    SharedValues& shared_;
    QtHost* host_;
    info::WarlordSheet sheet_;
    std::array<QListWidget*, 5> lists_{};
};

}  // namespace teijinki::ui
