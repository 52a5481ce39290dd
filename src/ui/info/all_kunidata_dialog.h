#pragma once
// All_KuniData "国一覧": every province with its troops and its owner.

#include <QDialog>

#include "screens/info_data.h"

namespace teijinki {

namespace info_ui {
class ColumnSheet;
}

class AllKuniDataDialog : public QDialog {
public:
    AllKuniDataDialog(QWidget* parent, info::ProvinceListView view);

    const info::ProvinceListView& view() const { return view_; }
    info_ui::ColumnSheet* sheet() const { return sheet_; }

private:
    info::ProvinceListView view_;
    info_ui::ColumnSheet* sheet_;
};

}  // namespace teijinki
