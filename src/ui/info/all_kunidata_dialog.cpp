#include "ui/info/all_kunidata_dialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/info/qt_info_columns.h"
#include "ui/qt_text.h"
#include "ui/window_fit.h"

namespace teijinki::ui {

AllKuniDataDialog::AllKuniDataDialog(QWidget* parent, info::ProvinceListView view)
    : QDialog(parent), view_(std::move(view)) {
    setObjectName(QStringLiteral("All_KuniData"));
    fit_on_show(*this);
    setWindowTitle(qs(view_.caption));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(16, 14, 16, 12);

    sheet_ = new ColumnSheet(this);
    sheet_->add_column(QStringLiteral("Lab_Cate_0"), view_.headings[0], QStringLiteral("Lab_name"), Qt::AlignLeft, 80);
    sheet_->add_column(QStringLiteral("Lab_Cate_1"), view_.headings[1], QStringLiteral("Lab_army"), Qt::AlignRight, 70);
    sheet_->add_column(QStringLiteral("Lab_Cate_2"), view_.headings[2], QStringLiteral("Lab_gun"), Qt::AlignLeft, 110);
    std::vector<std::string> names, armies, owners;
    for (const auto& row : view_.rows) {
        names.push_back(row.name);
        armies.push_back(row.army);
        owners.push_back(row.owner);
    }
    sheet_->set_lines(0, names);
    sheet_->set_lines(1, armies);
    sheet_->set_lines(2, owners);
    sheet_->finish(18);
    outer->addWidget(sheet_, 1);

    add_back_row(*this, *outer, QStringLiteral("Command1"));
}

}  // namespace teijinki::ui
