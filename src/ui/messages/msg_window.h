#pragma once
// Msg: the modal window in which the year is told page by page, with the portrait and caption
// of each page, the credits roll and the reports.

#include <QDialog>
#include <QPixmap>

#include "messages/message_modes.h"
#include "world/host.h"
#include "messages/page_store.h"
#include "world/game_folder.h"

class QHBoxLayout;
class QLabel;
class QPushButton;
class QScrollArea;
class QTimer;

namespace teijinki::ui {

class MsgWindow : public QDialog {
    Q_OBJECT
public:
    // The pages are shown as the rules left them; caution shows "プレイヤーが攻撃を受けています".
    MsgWindow(QWidget* parent, const GameFolder& folder, const PageStore& pages, int msg_mode, bool caution,
              int credit_interval_ms = kCreditTimerMs);

    const Pager& pager() const { return pager_; }
    // Command1(index): 0 閉, 1 前ページ, 2 次ページ, 3 最終ページ, page by page.
    void Command1_Click(int index);
    void Timer1_Timer();
    // A picture beside the page text (the reports' score chart); the window widens for it.
    void show_beside_text(QWidget* widget);
    // What the 次ページ and 前ページ buttons and the reading keys do: a page taller than the view
    // is read to its end before the next page comes, and back to its top before the one before.
    void read_on();
    void read_back();
    // Whether part of the page lies below the view.
    bool rest_hidden() const;

public slots:
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void dsp_Text_rtn();
    void show_reading_state();
    void grow_to_tallest_page();
    void scroll_by_view(int direction);

    const GameFolder& folder_;
    const PageStore& pages_;
    Pager pager_;
    QLabel* label1_;       // the page text
    QLabel* label2_;       // the page caption
    QLabel* picture3_;     // the page portrait
    QLabel* picture4_;     // the credits picture
    QLabel* caution_;      // Lbl_Caution
    QLabel* page_count_;
    QScrollArea* viewport_;
    QHBoxLayout* body_;
    QPushButton* buttons_[4];
    QTimer* timer1_;
    std::string shown_credit_picture_;
    QPixmap credit_picture_;
};

}  // namespace teijinki::ui
