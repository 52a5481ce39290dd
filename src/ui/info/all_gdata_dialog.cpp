#include "ui/info/all_gdata_dialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/info/qt_info_columns.h"
#include "ui/info/qt_info_screens.h"
#include "ui/qt_text.h"
#include "ui/window_fit.h"

namespace teijinki::ui {

AllGdataDialog::AllGdataDialog(QWidget* parent, const GameFolder& folder, SharedValues& shared,
                               info::WarlordListView view, QtHost* host)
    : QDialog(parent), folder_(folder), shared_(shared), host_(host), view_(std::move(view)) {
    setObjectName(QStringLiteral("ALL_Gdata"));
    fit_on_show(*this);
    setWindowTitle(qs(view_.caption));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(16, 14, 16, 12);

    sheet_ = new ColumnSheet(this);
    sheet_->add_column(QStringLiteral("Lab_Cate_0"), view_.headings[0], QStringLiteral("Lab_name"), Qt::AlignLeft, 96);
    for (int k = 0; k < 9; ++k)
        sheet_->add_column(QStringLiteral("Lab_Cate_%1").arg(k + 1), view_.headings[k + 1],
                           QStringLiteral("Lab_abl_%1").arg(k), k == 8 ? Qt::AlignLeft : Qt::AlignRight,
                           k == 8 ? 90 : 58);
    std::vector<std::string> names;
    std::array<std::vector<std::string>, 9> values;
    for (const auto& row : view_.rows) {
        names.push_back(row.name);
        for (int k = 0; k < 9; ++k) values[k].push_back(row.values[k]);
    }
    sheet_->set_lines(0, names);
    for (int k = 0; k < 9; ++k) sheet_->set_lines(k + 1, values[k]);
    sheet_->finish(13);
    outer->addWidget(sheet_, 1);

    auto* list = new QPushButton(QStringLiteral("武将リスト"), this);
    list->setObjectName(QStringLiteral("Command1_1"));
    connect(list, &QPushButton::clicked, this, [this] { show_generals_by_warlord(this, folder_, shared_, host_); });
    add_back_row(*this, *outer, QStringLiteral("Command1_0"), {list});
}

}  // namespace teijinki::ui
