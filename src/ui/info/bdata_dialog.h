#pragma once
// B_data: every general serving one lord with the abilities his job shows ("-" for the others).

#include <QDialog>

#include "screens/info_lists.h"

namespace teijinki::ui {

class ColumnSheet;

class BdataDialog : public QDialog {
public:
    BdataDialog(QWidget* parent, info::GeneralTableView view);

    const info::GeneralTableView& view() const { return view_; }
    ColumnSheet* sheet() const { return sheet_; }

private:
    info::GeneralTableView view_;
    ColumnSheet* sheet_;
};

}  // namespace teijinki::ui
