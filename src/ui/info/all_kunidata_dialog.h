#pragma once
// All_KuniData "国一覧": every province with its troops and its owner.

#include <QDialog>

#include "screens/info_lists.h"

namespace teijinki::ui {

class ColumnSheet;

class AllKuniDataDialog : public QDialog {
public:
    AllKuniDataDialog(QWidget* parent, info::ProvinceListView view);

    const info::ProvinceListView& view() const { return view_; }
    ColumnSheet* sheet() const { return sheet_; }

private:
    info::ProvinceListView view_;
    ColumnSheet* sheet_;
};

}  // namespace teijinki::ui
