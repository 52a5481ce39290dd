#include "ui/info/all_bdata_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "ui/info/qt_info_columns.h"
#include "ui/info/qt_info_screens.h"
#include "ui/qt_text.h"
#include "ui/style.h"
#include "ui/list_keys.h"
#include "ui/window_fit.h"

namespace teijinki::ui {

namespace {
// Silver (192, 192, 192) marks a destroyed warlord's column.
const char* kSilverHeading = "background:#c0c0c0; color:#2a1e12; border:1px solid #8b6d3f; padding:3px 2px;";
const char* kSilverList = "QListWidget { background:#c0c0c0; }";
const char* kHeading = "background:#e6d6ae; color:#8a1f17; border:1px solid #8b6d3f; padding:3px 2px;";
}  // namespace

AllBdataDialog::AllBdataDialog(QWidget* parent, const GameFolder& folder, SharedValues& shared,
                               info::GeneralsByWarlordView view, QtHost* host)
    : QDialog(parent), folder_(folder), shared_(shared), host_(host), view_(std::move(view)) {
    setObjectName(QStringLiteral("All_Bdata"));
    fit_on_show(*this);
    setWindowTitle(qs(view_.caption));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(14, 14, 14, 12);

    auto* body = new QWidget;
    body->setObjectName(QStringLiteral("Columns"));
    auto* columns = new QHBoxLayout(body);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(4);
    for (int k = 0; k < info::kGeneralColumns; ++k) {
        const auto& data = view_.columns[k];
        auto* holder = new QWidget(this);
        auto* box = new QVBoxLayout(holder);
        box->setContentsMargins(0, 0, 0, 0);
        box->setSpacing(2);
        auto* heading = new QLabel(qs(data.heading), holder);
        heading->setObjectName(QStringLiteral("Lab_name_%1").arg(k));
        heading->setAlignment(Qt::AlignCenter);
        heading->setFont(serif_font(11.0, true));
        heading->setStyleSheet(QString::fromUtf8(data.destroyed ? kSilverHeading : kHeading));
        heading->setMinimumHeight(heading->fontMetrics().lineSpacing() + 8);
        auto* list = new QListWidget(holder);
        list->setObjectName(QStringLiteral("Chr_lst_%1").arg(k));
        list->setFixedWidth(84);
        // As tall as its generals where there is room, six lines at least.
        list->setMinimumHeight(list->fontMetrics().lineSpacing() * 6);
        list->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
        if (data.destroyed) list->setStyleSheet(QString::fromUtf8(kSilverList));
        for (const auto& entry : data.generals) {
            auto* item = new QListWidgetItem(qs(entry.name), list);
            item->setData(Qt::UserRole, entry.id);
        }
        connect(list, &QListWidget::itemClicked, this, &AllBdataDialog::general_clicked);
        open_with_enter(*list, [this](QListWidgetItem* item) { general_clicked(item); });
        box->addWidget(heading);
        box->addWidget(list, 1);
        holder->setVisible(data.visible);
        // Hidden columns keep their controls, as the design's thirteenth column does.
        heading->setVisible(data.visible);
        list->setVisible(data.visible);
        columns->addWidget(holder);
        headings_[k] = heading;
        lists_[k] = list;
    }
    columns->addStretch(1);
    outer->addWidget(scroll_when_cramped(body, this), 1);

    add_back_row(*this, *outer, QStringLiteral("Command1"))->setFocus();
}

void AllBdataDialog::general_clicked(QListWidgetItem* item) {
    if (!item) return;
    show_general_sheet(this, folder_, shared_, item->data(Qt::UserRole).toInt(), host_);
}

}  // namespace teijinki::ui
