#include "ui/info/status_dialog.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/info/cmt_edit_dialog.h"
#include "screens/comments.h"
#include "ui/pictures.h"
#include "ui/qt_host.h"
#include "ui/qt_text.h"
#include "ui/style.h"
#include "world/error.h"
#include "ui/window_fit.h"

namespace teijinki::ui {

namespace {
const QSize kPortraitBox(180, 225);
}

StatusDialog::StatusDialog(QWidget* parent, QtHost& host, const GameFolder& folder, SharedValues& shared, bool modal)
    : QDialog(parent), host_(host), folder_(folder), shared_(shared), general_(shared.form_param) {
    setObjectName(QStringLiteral("Status"));
    fit_on_show(*this);
    setWindowTitle(QString::fromUtf8(kSheetCaption));
    setModal(modal);
    setAttribute(Qt::WA_DeleteOnClose, !modal);
    resize(580, 500);

    picture1_ = new QLabel(this);
    picture1_->setObjectName(QStringLiteral("Picture1"));
    picture1_->setFixedSize(kPortraitBox + QSize(8, 8));
    picture1_->setAlignment(Qt::AlignCenter);
    mark_portrait_frame(picture1_);

    name_lab_ = new QLabel(this);
    name_lab_->setObjectName(QStringLiteral("Name_lab"));
    mark_heading(name_lab_, 22.0);
    for (int i = 0; i < 2; ++i) {
        skl_kind_[i] = new QLabel(this);
        skl_kind_[i]->setObjectName(QStringLiteral("Skl_Kind_%1").arg(i));
        skl_kind_[i]->setAlignment(Qt::AlignRight | Qt::AlignTop);
        skl_kind_[i]->setProperty("role", QStringLiteral("heading"));
        skl_kind_[i]->setFont(serif_font(13.0, true));
        // The same box as the values beside them, so the rows line up.
        skl_kind_[i]->setStyleSheet(QStringLiteral("border:1px solid transparent; padding:2px 6px;"));
    }
    for (int i = 0; i < 3; ++i) {
        skl_lab_[i] = new QLabel(this);
        skl_lab_[i]->setObjectName(QStringLiteral("Skl_Lab_%1").arg(i));
        skl_lab_[i]->setAlignment(Qt::AlignRight | Qt::AlignTop);
        skl_lab_[i]->setFont(serif_font(13.0));
        skl_lab_[i]->setMinimumWidth(56);
        mark_value_box(skl_lab_[i]);
    }
    auto* job_caption = new QLabel(QStringLiteral("役職"), this);
    job_caption->setProperty("role", QStringLiteral("heading"));
    job_caption->setFont(serif_font(13.0, true));
    job_caption->setAlignment(Qt::AlignRight | Qt::AlignTop);
    job_caption->setStyleSheet(QStringLiteral("border:1px solid transparent; padding:2px 6px;"));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    grid->addWidget(job_caption, 0, 0);
    grid->addWidget(skl_lab_[0], 0, 1);
    grid->addWidget(skl_kind_[0], 1, 0);
    grid->addWidget(skl_lab_[1], 1, 1);
    grid->addWidget(skl_kind_[1], 0, 2, 2, 1);
    grid->addWidget(skl_lab_[2], 0, 3, 2, 1, Qt::AlignTop);
    grid->setColumnStretch(4, 1);

    auto* right = new QVBoxLayout;
    right->addWidget(name_lab_);
    right->addLayout(grid);
    right->addStretch(1);

    auto* top = new QHBoxLayout;
    top->addWidget(picture1_, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(right, 1);

    lab_cmt_ = new QLabel(this);
    lab_cmt_->setObjectName(QStringLiteral("Lab_cmt"));
    lab_cmt_->setWordWrap(true);
    lab_cmt_->setTextFormat(Qt::PlainText);
    lab_cmt_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lab_cmt_->setFont(serif_font(12.5));
    lab_cmt_->setMinimumHeight(lab_cmt_->fontMetrics().lineSpacing() * 3 + 18);
    lab_cmt_->setCursor(Qt::PointingHandCursor);
    // Reached with Tab as well, and opened with Enter or Space.
    lab_cmt_->setFocusPolicy(Qt::StrongFocus);
    lab_cmt_->setStyleSheet(QStringLiteral("QLabel { background:#fbf5e4; border:1px solid #8b6d3f; padding:8px; }"
                                           "QLabel:hover, QLabel:focus { border-color:#8a1f17; }"));
    lab_cmt_->installEventFilter(this);

    hlp_ = new QLabel(this);
    hlp_->setObjectName(QStringLiteral("Hlp"));
    hlp_->setProperty("role", QStringLiteral("help"));
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("Command1"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addWidget(hlp_, 1);
    row->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 14);
    layout->addLayout(top);
    layout->addWidget(lab_cmt_, 1);
    layout->addLayout(row);
    // Moving over the background clears the help line.
    setMouseTracking(true);

    try {
        sheet_ = load_general_sheet(folder_, general_, shared_.bushou_count);
    } catch (const DataError& e) {
        hlp_->setText(qs(e.what()));
    }
    show_picture(picture1_, load_cg(folder_, sheet_.portrait), kPortraitBox);
    Dsp_Chr_rtn();
}

void StatusDialog::Dsp_Chr_rtn() {
    name_lab_->setText(qs(sheet_.name));
    skl_lab_[0]->setText(qs(sheet_.job));
    skl_kind_[0]->setText(qs(sheet_.kinds));
    skl_lab_[1]->setText(qs(sheet_.values));
    skl_kind_[1]->setText(qs(sheet_.fixed_kinds));
    skl_lab_[2]->setText(qs(sheet_.fixed_values));
    lab_cmt_->setText(qs(sheet_.comment));
}

void StatusDialog::Lab_cmt_Click() {
    if (!sheet_.found) return;
    shared_.form_result = 0;
    shared_.msg_text = sheet_.name;
    CmtEditDialog editor(this, host_, folder_, shared_);
    host_.run_modal(editor);
    if (shared_.form_result == 1) {
        try {
            sheet_.comment = ld_Comment_rtn(folder_, general_, shared_.bushou_count);
        } catch (const DataError& e) {
            host_.message_box_over(this, e.what(), Buttons::Ok);
        }
        lab_cmt_->setText(qs(sheet_.comment));
    }
}

bool StatusDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lab_cmt_) {
        if (event->type() == QEvent::Enter) hlp_->setText(QString::fromUtf8(kCommentHelp));
        else if (event->type() == QEvent::Leave) hlp_->clear();
        else if (event->type() == QEvent::MouseButtonRelease) {
            Lab_cmt_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void StatusDialog::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (lab_cmt_->hasFocus() && (enter || event->key() == Qt::Key_Space)) {
        Lab_cmt_Click();
        return;
    }
    if (event->key() == Qt::Key_Escape || enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace teijinki::ui
