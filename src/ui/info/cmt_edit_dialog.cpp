#include "ui/info/cmt_edit_dialog.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "screens/comments.h"
#include "screens/general_sheet.h"
#include "ui/qt_host.h"
#include "ui/qt_text.h"
#include "ui/style.h"
#include "world/error.h"
#include "ui/window_fit.h"

namespace teijinki::ui {

CmtEditDialog::CmtEditDialog(QWidget* parent, QtHost& host, const GameFolder& folder, SharedValues& shared)
    : QDialog(parent), host_(host), folder_(folder), shared_(shared), general_(shared.form_param), name_(shared.msg_text) {
    setObjectName(QStringLiteral("Cmt_Edit"));
    fit_on_show(*this);
    setWindowTitle(QString::fromUtf8(kEditorCaption));
    setModal(true);
    resize(540, 360);

    auto* name_lab = new QLabel(qs(name_), this);
    name_lab->setObjectName(QStringLiteral("Name_lab"));
    mark_heading(name_lab, 18.0);
    txt_cmt_ = new QPlainTextEdit(this);
    txt_cmt_->setObjectName(QStringLiteral("Txt_cmt"));
    txt_cmt_->setFont(serif_font(13.0));
    txt_cmt_->setTabChangesFocus(true);
    txt_cmt_->installEventFilter(this);
    auto* hint = new QLabel(QStringLiteral("Ctrl+Enter で決定、Esc で戻る"), this);
    hint->setProperty("role", QStringLiteral("help"));

    auto* back = new QPushButton(QStringLiteral("戻る"), this);
    back->setObjectName(QStringLiteral("Command1_0"));
    back->setAutoDefault(false);
    auto* decide = new QPushButton(QStringLiteral("決定"), this);
    decide->setObjectName(QStringLiteral("Command1_1"));
    decide->setAutoDefault(false);
    connect(back, &QPushButton::clicked, this, [this] { Command1_Click(0); });
    connect(decide, &QPushButton::clicked, this, [this] { Command1_Click(1); });
    auto* row = new QHBoxLayout;
    row->addWidget(hint, 1);
    row->addWidget(back);
    row->addWidget(decide);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 14);
    layout->addWidget(name_lab);
    layout->addWidget(txt_cmt_, 1);
    layout->addLayout(row);
    txt_cmt_->setFocus();
}

void CmtEditDialog::Command1_Click(int index) {
    if (index == 0) {
        reject();
        return;
    }
    if (index != 1) return;
    try {
        if (!sv_Cmt_rtn(folder_, general_, name_, ss(txt_cmt_->toPlainText()))) {
            host_.message_box_over(this, name_ + "のコメントの記録がないため、書き換えられませんでした。", Buttons::Ok);
            return;
        }
    } catch (const DataError& e) {
        // The file is replaced atomically, so a failure leaves the old comments in place.
        host_.message_box_over(this, std::string("コメントを書き込めませんでした。\n") + e.what(), Buttons::Ok);
        return;
    }
    shared_.form_result = 1;
    accept();
}

bool CmtEditDialog::eventFilter(QObject* watched, QEvent* event) {
    // Ctrl+Enter decides even while the text box has the focus.
    if (watched == txt_cmt_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && (key->modifiers() & Qt::ControlModifier)) {
            Command1_Click(1);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CmtEditDialog::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & Qt::ControlModifier)) {
        Command1_Click(1);
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        Command1_Click(0);
        return;
    }
    // Plain Enter belongs to the text box, where it starts a new line.
    if (enter) return;
    QDialog::keyPressEvent(event);
}

}  // namespace teijinki::ui
