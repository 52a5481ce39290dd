#pragma once
// ALL_Gdata "軍閥一覧": every surviving warlord with its figures, one row each.

#include <QDialog>

#include "screens/info_data.h"

namespace teijinki {

namespace ui {
class QtHost;
}

namespace info_ui {
class ColumnSheet;
}

class AllGdataDialog : public QDialog {
public:
    AllGdataDialog(QWidget* parent, const GameFolder& folder, SharedValues& shared, info::WarlordListView view,
              ui::QtHost* host = nullptr);

    const info::WarlordListView& view() const { return view_; }
    info_ui::ColumnSheet* sheet() const { return sheet_; }

private:
    const GameFolder& folder_;
    SharedValues& shared_;
    ui::QtHost* host_;
    info::WarlordListView view_;
    info_ui::ColumnSheet* sheet_;
};

}  // namespace teijinki
