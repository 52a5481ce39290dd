#include "ui/strategy/strate_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/info/status_dialog.h"
#include "ui/qt_host.h"
#include "ui/qt_text.h"
#include "ui/style.h"
#include "world/record_file.h"
#include "world/template_composer.h"
#include "ui/window_fit.h"

namespace teijinki::ui {

StrateDialog::StrateDialog(QWidget* parent, QtHost& host, const GameFolder& folder, SharedValues& shared)
    : QDialog(parent), host_(host), folder_(folder), shared_(shared) {
    setObjectName(QStringLiteral("Strate"));
    fit_on_show(*this);
    setWindowTitle(QStringLiteral("戦略"));
    setModal(true);
    setMinimumWidth(560);

    label1_ = new QLabel(this);
    label1_->setObjectName(QStringLiteral("Label1"));
    mark_heading(label1_, 17.0);
    label1_->setWordWrap(true);
    lab_txt_ = new QLabel(this);
    lab_txt_->setObjectName(QStringLiteral("Lab_txt"));
    lab_txt_->setWordWrap(true);
    lab_txt_->setFont(serif_font(13.5));
    lab_txt_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lab_txt_->setMinimumHeight(150);
    lab_txt_->setStyleSheet(QStringLiteral("background:#fbf5e4; border:1px solid #8b6d3f; padding:12px;"));

    lab_odds_ = new QLabel(this);
    lab_odds_->setObjectName(QStringLiteral("Lab_odds"));
    lab_odds_->setWordWrap(true);
    lab_odds_->setFont(serif_font(12.5));
    lab_odds_->setStyleSheet(QStringLiteral("color:#5a2a12;"));
    lab_odds_->hide();

    const char* captions[3] = {"戻る", "決定", ""};
    for (int i = 0; i < 3; ++i) {
        buttons_[i] = new QPushButton(QString::fromUtf8(captions[i]), this);
        buttons_[i]->setObjectName(QStringLiteral("Command1_%1").arg(i));
        buttons_[i]->setAutoDefault(false);
        connect(buttons_[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }
    auto* row = new QHBoxLayout;
    row->addWidget(buttons_[2]);
    row->addStretch(1);
    row->addWidget(buttons_[0]);
    row->addWidget(buttons_[1]);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(22, 18, 22, 16);
    layout->setSpacing(12);
    layout->addWidget(label1_);
    layout->addWidget(lab_txt_, 1);
    layout->addWidget(lab_odds_);
    layout->addLayout(row);

    dsp_Cmd_rtn();
    dsp_Text_rtn();
}

void StrateDialog::dsp_Cmd_rtn() {
    const int mode = shared_.start_mode;
    buttons_[0]->setVisible(mode != 2);
    buttons_[1]->setVisible(mode == 1 || mode == 2);
    general_ = shared_.form_param;
    buttons_[2]->setVisible(general_ >= 1);
    buttons_[2]->setText(qs(shared_.text_sub1 + "のデータ"));
    // Enter decides when deciding is offered; otherwise it goes back.
    if (mode == 1 || mode == 2) {
        buttons_[1]->setDefault(true);
        buttons_[1]->setFocus();
    } else {
        buttons_[0]->setDefault(true);
        buttons_[0]->setFocus();
    }
}

void StrateDialog::dsp_Text_rtn() {
    label1_->setText(qs(shared_.msg_text));
    const TemplateTable commands = TemplateTable::load(folder_, files::kCommand);
    SingleTextStore store;
    commands.compose(shared_.text_no, shared_.text_sub1, shared_.text_sub2, store);
    cmd_text_ = store.text;
    lab_txt_->setText(qs(cmd_text_));
}

void StrateDialog::show_odds(const std::string& line, const std::string& detail) {
    lab_odds_->setText(qs(line));
    lab_odds_->setToolTip(qs(detail));
    lab_odds_->setVisible(!line.empty());
}

void StrateDialog::Command1_Click(int index) {
    switch (index) {
    case 1:
        if (!buttons_[1]->isHidden()) {
            shared_.form_result = 1;
            accept();
        }
        break;
    case 2: {
        if (general_ < 1) break;
        // The sheet reads form_param, and a comment saved there sets form_result: both are put
        // back, or backing out of this screen afterwards would read as a decision.
        const Int16 saved_param = shared_.form_param;
        const Int16 saved_result = shared_.form_result;
        const std::string saved_text = shared_.msg_text;
        shared_.form_param = general_;
        StatusDialog sheet(this, host_, folder_, shared_, true);
        host_.run_modal(sheet);
        shared_.form_param = saved_param;
        shared_.form_result = saved_result;
        shared_.msg_text = saved_text;
        break;
    }
    case 0:
        if (!buttons_[0]->isHidden()) QDialog::reject();
        break;
    default:
        break;
    }
}

void StrateDialog::reject() {
    // Escape goes back only where backing out is offered.
    Command1_Click(0);
}

}  // namespace teijinki::ui
