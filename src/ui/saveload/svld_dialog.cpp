#include "ui/saveload/svld_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/qt_host.h"
#include "ui/qt_text.h"
#include "ui/style.h"
#include "ui/window_fit.h"

namespace teijinki::ui {

// The rules' message boxes open over this screen rather than over the screen behind it.
class SvldDialog::BoxesOverScreen : public Host {
public:
    BoxesOverScreen(QtHost& host, QWidget* screen) : host_(host), screen_(screen) {}
    Answer message_box(const std::string& text, Buttons buttons) override {
        return host_.message_box_over(screen_, text, buttons);
    }
    void show_pages(const PageStore& pages, int msg_mode, bool caution) override {
        host_.show_pages(pages, msg_mode, caution);
    }
    void show_warlord_list() override { host_.show_warlord_list(); }
    void show_map() override { host_.show_map(); }
    bool play_music(const std::string& piece) override { return host_.play_music(piece); }
    void stop_music() override { host_.stop_music(); }
    void end_program() override { host_.end_program(); }

private:
    QtHost& host_;
    QWidget* screen_;
};

SvldDialog::SvldDialog(QWidget* parent, QtHost& host, const GameFolder& folder, SharedValues& shared)
    : QDialog(parent), host_(host), boxes_(std::make_unique<BoxesOverScreen>(host, this)),
      rules_(std::make_unique<SvldRules>(folder, shared, *boxes_)) {
    setObjectName(QStringLiteral("SVLD"));
    fit_on_show(*this);
    setModal(true);
    rules_->init_rtn();
    setWindowTitle(qs(rules_->caption));

    caption_ = new QLabel(qs(rules_->caption), this);
    caption_->setObjectName(QStringLiteral("Caption"));
    mark_heading(caption_, 20.0);
    caption_->setAlignment(Qt::AlignCenter);

    lab_num_ = new QLabel(this);
    lab_num_->setObjectName(QStringLiteral("Lab_num"));
    mark_value_box(lab_num_);
    lab_num_->setFont(serif_font(20.0, true));
    lab_num_->setAlignment(Qt::AlignCenter);
    lab_num_->setMinimumHeight(48);
    lab_num_->setTextInteractionFlags(Qt::NoTextInteraction);

    hlp_ = new QLabel(this);
    hlp_->setObjectName(QStringLiteral("Hlp"));
    hlp_->setProperty("role", QStringLiteral("help"));
    hlp_->setFont(serif_font(12.5));
    hlp_->setAlignment(Qt::AlignCenter);

    // The pad in the familiar telephone order, 0 under the middle column between 取消 and 決定.
    auto* pad = new QGridLayout;
    pad->setSpacing(8);
    for (int d = 0; d <= 9; ++d) {
        digits_[d] = new QPushButton(QString::number(d), this);
        digits_[d]->setObjectName(QStringLiteral("Command1_%1").arg(d));
        digits_[d]->setFont(serif_font(16.0, true));
        digits_[d]->setMinimumSize(72, 44);
        digits_[d]->setAutoDefault(false);
        digits_[d]->setFocusPolicy(Qt::NoFocus);
        connect(digits_[d], &QPushButton::clicked, this, [this, d] { Command1_Click(d); });
        if (d >= 1) pad->addWidget(digits_[d], 2 - (d - 1) / 3, (d - 1) % 3);
    }
    const char* captions2[2] = {kSvldClear, kSvldConfirm};
    for (int i = 0; i < 2; ++i) {
        command2_[i] = new QPushButton(QString::fromUtf8(captions2[i]), this);
        command2_[i]->setObjectName(QStringLiteral("Command2_%1").arg(i));
        command2_[i]->setFont(serif_font(14.0, true));
        command2_[i]->setMinimumSize(72, 44);
        command2_[i]->setAutoDefault(false);
        command2_[i]->setFocusPolicy(Qt::NoFocus);
        connect(command2_[i], &QPushButton::clicked, this, [this, i] { Command2_Click(i); });
    }
    pad->addWidget(command2_[0], 3, 0);
    pad->addWidget(digits_[0], 3, 1);
    pad->addWidget(command2_[1], 3, 2);

    command3_ = new QPushButton(QString::fromUtf8(kSvldBack), this);
    command3_->setObjectName(QStringLiteral("Command3"));
    command3_->setFont(serif_font(14.0, true));
    command3_->setAutoDefault(false);
    command3_->setFocusPolicy(Qt::NoFocus);
    connect(command3_, &QPushButton::clicked, this, [this] { Command3_Click(); });
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(command3_);

    // The saved slots beside the pad, newest first.
    auto* list_caption = new QLabel(QStringLiteral("セーブ一覧（新しい順）"), this);
    list_caption->setProperty("role", QStringLiteral("heading"));
    slot_lst_ = new QListWidget(this);
    slot_lst_->setObjectName(QStringLiteral("Slot_lst"));
    slot_lst_->setFont(serif_font(12.5));
    slot_lst_->setFocusPolicy(Qt::NoFocus);  // the screen keeps the keys: digits, arrows, Enter
    slot_lst_->setMinimumWidth(280);
    for (const SlotListEntry& entry : rules_->saved_slots) {
        auto* item = new QListWidgetItem(qs(slot_list_row(entry)), slot_lst_);
        if (entry.damaged) {
            item->setForeground(colors::kLacquer);
            item->setToolTip(qs(entry.problem));
        }
    }
    if (rules_->saved_slots.empty()) {
        auto* none = new QListWidgetItem(QStringLiteral("（セーブはまだありません）"), slot_lst_);
        none->setFlags(Qt::NoItemFlags);
    }
    connect(slot_lst_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { Slot_lst_Click(slot_lst_->row(item)); });
    connect(slot_lst_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { Slot_lst_DblClick(slot_lst_->row(item)); });
    auto* list_column = new QVBoxLayout;
    list_column->setSpacing(4);
    list_column->addWidget(list_caption);
    list_column->addWidget(slot_lst_, 1);

    auto* pad_column = new QVBoxLayout;
    pad_column->setSpacing(12);
    pad_column->addWidget(lab_num_);
    pad_column->addLayout(pad);
    pad_column->addStretch(1);
    auto* columns = new QHBoxLayout;
    columns->setSpacing(20);
    columns->addLayout(pad_column);
    columns->addLayout(list_column, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 20, 28, 18);
    layout->setSpacing(12);
    layout->addWidget(caption_);
    layout->addWidget(hlp_);
    layout->addLayout(columns, 1);
    layout->addLayout(bottom);
    resize(860, 460);  // held to the screen when shown
    show_values();
}

SvldDialog::~SvldDialog() = default;

void SvldDialog::show_values() {
    lab_num_->setText(qs(rules_->Lab_num));
    hlp_->setText(qs(rules_->Hlp));
}

void SvldDialog::Command1_Click(int digit) {
    rules_->Command1_Click(digit);
    show_values();
}

void SvldDialog::Command2_Click(int index) {
    rules_->Command2_Click(index);
    if (index == 0) slot_lst_->setCurrentRow(-1);  // 取消 lets go of the picked slot too
    show_values();
    if (rules_->closed) done(QDialog::Accepted);
}

void SvldDialog::Slot_lst_Click(int row) {
    if (row < 0 || row >= static_cast<int>(rules_->saved_slots.size())) return;
    slot_lst_->setCurrentRow(row);
    rules_->pick_slot(static_cast<std::size_t>(row));
    show_values();
}

void SvldDialog::Slot_lst_DblClick(int row) {
    if (row < 0 || row >= static_cast<int>(rules_->saved_slots.size())) return;
    Slot_lst_Click(row);
    Command2_Click(1);
}

void SvldDialog::Command3_Click() {
    rules_->Command3_Click();
    done(QDialog::Rejected);
}

void SvldDialog::reject() {
    // The close box and Escape are "戻る", so form_result is 0 whichever way the screen is left.
    if (!rules_->closed) rules_->Command3_Click();
    QDialog::reject();
}

void SvldDialog::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        Command1_Click(key - Qt::Key_0);
        return;
    }
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Command2_Click(1);
        return;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        Command2_Click(0);
        return;
    case Qt::Key_Escape:
        Command3_Click();
        return;
    case Qt::Key_Up:
    case Qt::Key_Down: {
        const int count = static_cast<int>(rules_->saved_slots.size());
        if (count == 0) return;
        const int row = slot_lst_->currentRow();
        const int next = row < 0 ? 0 : key == Qt::Key_Up ? std::max(row - 1, 0) : std::min(row + 1, count - 1);
        Slot_lst_Click(next);
        return;
    }
    default:
        QDialog::keyPressEvent(event);
    }
}

}  // namespace teijinki::ui
