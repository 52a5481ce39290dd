#include "ui/info/gdata_dialog.h"

#include <algorithm>

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "ui/info/qt_info_columns.h"
#include "ui/info/qt_info_screens.h"
#include "ui/pictures.h"
#include "ui/qt_text.h"
#include "ui/style.h"
#include "ui/list_keys.h"
#include "ui/window_fit.h"

namespace teijinki::ui {

namespace {
constexpr int kPortraitWidth = 150;
constexpr int kPortraitHeight = 188;

QString joined(const auto& lines) {
    QStringList out;
    for (const auto& line : lines) out << qs(line);
    return out.join(QChar('\n'));
}
}  // namespace

GdataDialog::GdataDialog(QWidget* parent, const GameFolder& folder, SharedValues& shared, info::WarlordSheet sheet,
                         QtHost* host)
    : QDialog(parent), folder_(folder), shared_(shared), host_(host), sheet_(std::move(sheet)) {
    setObjectName(QStringLiteral("Gdata"));
    fit_on_show(*this);
    setWindowTitle(qs(sheet_.caption));
    // A long province line would ask for the whole screen's width; it wraps instead.
    resize(940, 640);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(16, 14, 16, 12);
    outer->setSpacing(10);
    auto* body = new QWidget;
    body->setObjectName(QStringLiteral("Sheet"));
    auto* body_layout = new QVBoxLayout(body);
    body_layout->setContentsMargins(0, 0, 0, 0);
    body_layout->setSpacing(10);

    auto* top = new QHBoxLayout;
    top->setSpacing(16);
    body_layout->addLayout(top);

    // Portrait and the caller's line.
    auto* left = new QVBoxLayout;
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setFixedSize(kPortraitWidth + 6, kPortraitHeight + 6);
    picture->setAlignment(Qt::AlignCenter);
    picture->setStyleSheet(QStringLiteral("background:#2a1e12; border:2px solid #8b6d3f;"));
    show_picture(picture, load_cg(folder_, sheet_.portrait), QSize(kPortraitWidth, kPortraitHeight));
    left->addWidget(picture, 0, Qt::AlignHCenter);
    auto* txt = new QLabel(qs(sheet_.txt_lab), this);
    txt->setObjectName(QStringLiteral("Txt_lab"));
    txt->setAlignment(Qt::AlignCenter);
    mark_value_box(txt);
    // One line, as wide as the plan's name needs: "…を画策中" never leaves "中" on a line alone.
    txt->ensurePolished();
    txt->setMinimumWidth(std::max(kPortraitWidth + 6, txt->sizeHint().width()));
    left->addWidget(txt);
    left->addStretch(1);
    top->addLayout(left);

    // Name, figures and provinces.
    auto* middle = new QVBoxLayout;
    middle->setSpacing(6);
    auto* name = new QLabel(qs(sheet_.name), this);
    name->setObjectName(QStringLiteral("Name_lab"));
    mark_heading(name, 18.0);
    middle->addWidget(name);

    auto* figures = new QHBoxLayout;
    figures->setSpacing(0);
    auto* captions = new QLabel(joined(sheet_.figure_captions), this);
    captions->setObjectName(QStringLiteral("Label1"));
    captions->setTextFormat(Qt::PlainText);
    captions->setContentsMargins(8, 4, 14, 4);
    auto* values = new QLabel(joined(sheet_.figure_values), this);
    values->setObjectName(QStringLiteral("Label2"));
    values->setTextFormat(Qt::PlainText);
    values->setAlignment(Qt::AlignRight | Qt::AlignTop);
    values->setMinimumWidth(90);
    mark_value_box(values);
    values->setContentsMargins(4, 2, 8, 2);
    figures->addWidget(captions, 0, Qt::AlignTop);
    figures->addWidget(values, 0, Qt::AlignTop);
    figures->addStretch(1);
    middle->addLayout(figures);

    auto* heading = new QLabel(QStringLiteral("領国"), this);
    heading->setObjectName(QStringLiteral("lab1"));
    mark_heading(heading, 13.0);
    middle->addWidget(heading);
    auto* provinces = new QLabel(qs(sheet_.provinces), this);
    provinces->setObjectName(QStringLiteral("Lab_Ryou"));
    provinces->setWordWrap(true);
    provinces->setMinimumHeight(provinces->fontMetrics().lineSpacing() * 2 + 8);
    provinces->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    mark_value_box(provinces);
    middle->addWidget(provinces);
    middle->addStretch(1);
    top->addLayout(middle, 1);

    // The five lists by job.
    auto* lists = new QHBoxLayout;
    lists->setSpacing(8);
    for (int k = 0; k < 5; ++k) {
        auto* frame = new QGroupBox(qs(sheet_.job_frames[k]), this);
        frame->setObjectName(QStringLiteral("Frame1_%1").arg(k));
        auto* box = new QVBoxLayout(frame);
        box->setContentsMargins(4, 6, 4, 4);
        auto* list = new QListWidget(frame);
        list->setObjectName(QStringLiteral("Chr_lst_%1").arg(k));
        list->setMinimumSize(112, list->fontMetrics().lineSpacing() * 4);
        for (const auto& entry : sheet_.job_lists[k]) {
            auto* item = new QListWidgetItem(qs(entry.name), list);
            item->setData(Qt::UserRole, entry.id);
        }
        connect(list, &QListWidget::itemClicked, this, &GdataDialog::general_clicked);
        open_with_enter(*list, [this](QListWidgetItem* item) { general_clicked(item); });
        box->addWidget(list);
        lists->addWidget(frame, 1);
        lists_[k] = list;
    }
    body_layout->addLayout(lists, 1);
    outer->addWidget(scroll_when_cramped(body, this), 1);

    auto* table = new QPushButton(QStringLiteral("武将一覧"), this);
    table->setObjectName(QStringLiteral("Command1_1"));
    connect(table, &QPushButton::clicked, this, &GdataDialog::open_general_table);
    add_back_row(*this, *outer, QStringLiteral("Command1_0"), {table})->setFocus();
}

void GdataDialog::general_clicked(QListWidgetItem* item) {
    if (!item) return;
    show_general_sheet(this, folder_, shared_, item->data(Qt::UserRole).toInt(), host_);
}

void GdataDialog::open_general_table() {
    shared_.form_param = sheet_.kunshu_id;
    show_general_table(this, folder_, shared_, sheet_.kunshu_id, host_);
}

}  // namespace teijinki::ui
