#pragma once
// ALL_Gdata "軍閥一覧": every surviving warlord with its figures, one row each.

#include <QDialog>

#include "screens/info_lists.h"

namespace teijinki::ui {

class QtHost;
class ColumnSheet;

class AllGdataDialog : public QDialog {
public:
    AllGdataDialog(QWidget* parent, const GameFolder& folder, SharedValues& shared, info::WarlordListView view,
              QtHost* host = nullptr);

    const info::WarlordListView& view() const { return view_; }
    ColumnSheet* sheet() const { return sheet_; }

private:
    const GameFolder& folder_;
    SharedValues& shared_;
    QtHost* host_;
    info::WarlordListView view_;
    ColumnSheet* sheet_;
};

}  // namespace teijinki::ui
