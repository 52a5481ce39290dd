#include "ui/qt_host.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <cstdio>

#include "messages/message_modes.h"
#include "turn/main_state.h"
#include "ui/messages/msg_window.h"
#include "ui/messages/score_chart.h"
#include "ui/qt_text.h"
#include "ui/style.h"

namespace teijinki::ui {

QtHost::QtHost(const GameFolder& folder, ScreenOpener& opener)
    : credit_interval_ms(kCreditTimerMs), folder_(folder), opener_(opener) {
    opener_.host_ = this;
}

QtHost::~QtHost() {
    if (opener_.host_ == this) opener_.host_ = nullptr;
}

Answer QtHost::message_box(const std::string& text, Buttons buttons) {
    redraw_board();
    return message_box_over(parent_, text, buttons);
}

Answer QtHost::message_box_over(QWidget* parent, const std::string& text, Buttons buttons) {
    QMessageBox box(parent);
    box.setObjectName(QStringLiteral("MessageBox"));
    box.setWindowTitle(QString::fromUtf8(kMsgCaption));
    box.setText(qs(text));
    box.setIcon(buttons == Buttons::Ok ? QMessageBox::Information : QMessageBox::Question);
    box.setFont(serif_font(13.0));
    // Enter takes the first answer (OK / はい), Escape the second (キャンセル / いいえ).
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.button(QMessageBox::Cancel)->setText(QStringLiteral("キャンセル"));
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("はい"));
        box.button(QMessageBox::No)->setText(QStringLiteral("いいえ"));
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        break;
    }
    const int result = run_modal(box);
    switch (buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::OkCancel: return result == QMessageBox::Ok ? Answer::Ok : Answer::Cancel;
    case Buttons::YesNo: return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
    }
    return Answer::Ok;
}

int QtHost::run_modal(QDialog& dialog) { return dialog.exec(); }

void QtHost::show_pages(const PageStore& pages, int msg_mode, bool caution) {
    redraw_board();
    MsgWindow window(parent_, folder_, pages, msg_mode, caution, credit_interval_ms);
    // A report is shown at the year start, just after that year's standings were written.
    if (msg_mode == kMsgReport && main_) add_score_chart(window, folder_, main_->year);
    run_modal(window);
}

void QtHost::show_standings() {
    if (main_) opener_.open_standings(parent_, *main_);
}

void QtHost::show_warlord_list() {
    redraw_board();
    if (main_) opener_.open_warlord_list(parent_, *main_);
}

void QtHost::show_map() {
    redraw_board();
    if (main_) opener_.open_map(parent_, *main_);
}

bool QtHost::play_music(const std::string& piece) {
    if (!music_) {
        // No player given: the game goes on silently, and says so once on the terminal.
        if (!told_no_music_) std::fprintf(stderr, "teijinki: no music player; playing without music\n");
        told_no_music_ = true;
        return true;
    }
    if (music_->play(piece)) return true;
    // The player sees the game's own box; why is written to the terminal once per reason.
    if (music_->error() != music_error_told_) {
        music_error_told_ = music_->error();
        std::fprintf(stderr, "teijinki: music cannot be played: %s\n", music_error_told_.c_str());
    }
    return false;
}

void QtHost::stop_music() {
    if (music_) music_->stop();
}

void QtHost::end_program() {
    if (ended_) return;
    ended_ = true;
    if (on_end_) on_end_();
}

}  // namespace teijinki::ui
