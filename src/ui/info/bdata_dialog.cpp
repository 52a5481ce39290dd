#include "ui/info/bdata_dialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/info/qt_info_columns.h"
#include "ui/qt_text.h"
#include "world/numbers.h"
#include "ui/window_fit.h"

namespace teijinki::ui {

BdataDialog::BdataDialog(QWidget* parent, info::GeneralTableView view) : QDialog(parent), view_(std::move(view)) {
    setObjectName(QStringLiteral("B_data"));
    fit_on_show(*this);
    setWindowTitle(qs(view_.caption));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(16, 14, 16, 12);

    sheet_ = new ColumnSheet(this);
    sheet_->add_column(QStringLiteral("Lab_Cate_id"), "", QStringLiteral("Lab_id"), Qt::AlignRight, 34);
    sheet_->add_column(QStringLiteral("Lab_Cate_0"), view_.headings[0], QStringLiteral("Lab_name"), Qt::AlignLeft, 90);
    for (int k = 0; k < 7; ++k)
        sheet_->add_column(QStringLiteral("Lab_Cate_%1").arg(k + 1), view_.headings[k + 1],
                           QStringLiteral("Lab_abl_%1").arg(k), k == 6 ? Qt::AlignHCenter : Qt::AlignRight, 52);
    std::vector<std::string> ids, names;
    std::array<std::vector<std::string>, 7> values;
    for (const auto& row : view_.rows) {
        ids.push_back(Digits(row.id));
        names.push_back(row.name);
        for (int k = 0; k < 7; ++k) values[k].push_back(row.values[k]);
    }
    sheet_->set_lines(0, ids);
    sheet_->set_lines(1, names);
    for (int k = 0; k < 7; ++k) sheet_->set_lines(k + 2, values[k]);
    sheet_->finish(std::clamp(static_cast<int>(view_.rows.size()), 8, 20));
    outer->addWidget(sheet_, 1);

    add_back_row(*this, *outer, QStringLiteral("Command1"));
}

}  // namespace teijinki::ui
