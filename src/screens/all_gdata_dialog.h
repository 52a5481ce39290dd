#pragma once
// ALL_Gdata "軍閥一覧": every surviving warlord with its figures, one row each.

#include <QDialog>

#include "screens/info_data.h"

namespace teijinki {

namespace info_ui {
class ColumnSheet;
}

class AllGdataDialog : public QDialog {
public:
    AllGdataDialog(QWidget* parent, const GameFolder& folder, SharedValues& shared, info::WarlordListView view);

    const info::WarlordListView& view() const { return view_; }
    info_ui::ColumnSheet* sheet() const { return sheet_; }

private:
    const GameFolder& folder_;
    SharedValues& shared_;
    info::WarlordListView view_;
    info_ui::ColumnSheet* sheet_;
};

}  // namespace teijinki
