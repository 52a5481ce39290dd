#include "ui/messages/msg_window.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/pictures.h"
#include "ui/qt_text.h"
#include "ui/style.h"

namespace teijinki::ui {

namespace {
const QSize kPortraitBox(180, 225);
const QSize kCreditBox(300, 225);
}  // namespace

MsgWindow::MsgWindow(QWidget* parent, const GameFolder& folder, const PageStore& pages, int msg_mode, bool caution,
                     int credit_interval_ms)
    : QDialog(parent), folder_(folder), pages_(pages), pager_(pages, msg_mode) {
    setObjectName(QStringLiteral("Msg"));
    setWindowTitle(QString::fromUtf8(kMsgCaption));
    setModal(true);
    resize(940, 600);

    caution_ = new QLabel(QString::fromUtf8(kCautionText), this);
    caution_->setObjectName(QStringLiteral("Lbl_Caution"));
    caution_->setAlignment(Qt::AlignCenter);
    caution_->setFont(serif_font(14.0, true));
    caution_->setStyleSheet(QStringLiteral("background:#8a1f17; color:#fbf3e0; padding:5px; border-radius:2px;"));
    caution_->setVisible(caution);

    // Left column: the page's portrait with its caption; the credits picture below.
    picture3_ = new QLabel(this);
    picture3_->setObjectName(QStringLiteral("Picture3"));
    picture3_->setFixedSize(kPortraitBox + QSize(8, 8));
    picture3_->setAlignment(Qt::AlignCenter);
    mark_portrait_frame(picture3_);
    label2_ = new QLabel(this);
    label2_->setObjectName(QStringLiteral("Label2"));
    label2_->setAlignment(Qt::AlignCenter);
    label2_->setFont(serif_font(14.0, true));
    label2_->setMinimumWidth(kPortraitBox.width());
    picture4_ = new QLabel(this);
    picture4_->setObjectName(QStringLiteral("Picture4"));
    picture4_->setFixedSize(kCreditBox + QSize(8, 8));
    picture4_->setAlignment(Qt::AlignCenter);
    picture4_->setStyleSheet(QStringLiteral("background:#1e1710; border:2px solid #6b4f2a;"));

    auto* left = new QVBoxLayout;
    left->addWidget(picture3_, 0, Qt::AlignHCenter);
    left->addWidget(label2_);
    left->addWidget(picture4_, 0, Qt::AlignHCenter);
    left->addStretch(1);

    // The text: Label1 in a viewport scrolled by VScroll1, inside the frame Picture1.
    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Picture1"));
    frame->setStyleSheet(QStringLiteral("#Picture1 { background:#fbf5e4; border:2px solid #6b4f2a; border-radius:3px; }"));
    label1_ = new QLabel;
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setWordWrap(true);
    label1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label1_->setTextFormat(Qt::PlainText);
    label1_->setFont(serif_font(14.0));
    label1_->setContentsMargins(18, 14, 18, 14);
    label1_->setStyleSheet(QStringLiteral("background:transparent; line-height:150%;"));
    viewport_ = new QScrollArea(frame);
    viewport_->setObjectName(QStringLiteral("Picture2"));
    viewport_->setWidget(label1_);
    viewport_->setWidgetResizable(true);
    viewport_->setFrameShape(QFrame::NoFrame);
    viewport_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport_->verticalScrollBar()->setObjectName(QStringLiteral("VScroll1"));
    viewport_->verticalScrollBar()->setSingleStep(24);
    viewport_->setStyleSheet(QStringLiteral("QScrollArea { background:transparent; } QScrollArea > QWidget > QWidget { background:transparent; }"));
    auto* frame_layout = new QVBoxLayout(frame);
    frame_layout->setContentsMargins(3, 3, 3, 3);
    frame_layout->addWidget(viewport_);

    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addWidget(frame, 1);

    // Command1(0..3).
    const char* captions[4] = {"閉", "前ページ", "次ページ", "最終ページ"};
    for (int i = 0; i < 4; ++i) {
        buttons_[i] = new QPushButton(QString::fromUtf8(captions[i]), this);
        buttons_[i]->setObjectName(QStringLiteral("Command1_%1").arg(i));
        buttons_[i]->setAutoDefault(false);
        buttons_[i]->setMinimumWidth(110);
        connect(buttons_[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }
    page_count_ = new QLabel(this);
    page_count_->setObjectName(QStringLiteral("PageCount"));
    page_count_->setProperty("role", QStringLiteral("help"));
    auto* row = new QHBoxLayout;
    row->addWidget(buttons_[1]);
    row->addWidget(buttons_[2]);
    row->addWidget(buttons_[3]);
    row->addSpacing(16);
    row->addWidget(page_count_);
    row->addStretch(1);
    row->addWidget(buttons_[0]);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(16, 14, 16, 14);
    outer->setSpacing(10);
    outer->addWidget(caution_);
    outer->addLayout(body, 1);
    outer->addLayout(row);

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(credit_interval_ms);
    connect(timer1_, &QTimer::timeout, this, &MsgWindow::Timer1_Timer);
    if (pager_.msg_mode() == kMsgCredits) timer1_->start();

    dsp_Text_rtn();
}

void MsgWindow::dsp_Text_rtn() {
    label1_->setText(qs(pager_.text()));
    label2_->setText(qs(pager_.caption()));
    viewport_->verticalScrollBar()->setValue(0);
    if (pager_.msg_mode() == kMsgCredits) {
        // The roll's lines sit low on the page: show its foot once the text is laid out.
        QTimer::singleShot(0, this, [this] {
            QScrollBar* bar = viewport_->verticalScrollBar();
            bar->setValue(bar->maximum());
        });
    }

    const QPixmap portrait = load_cg(folder_, pager_.picture());
    show_picture(picture3_, portrait, kPortraitBox);
    // On the credits' closing pages the scene picture takes the portrait's place.
    picture3_->setVisible(!(pager_.credit_picture_visible() && portrait.isNull()));

    picture4_->setVisible(pager_.credit_picture_visible());
    if (pager_.credit_picture_visible() || pager_.msg_mode() == kMsgCredits) {
        const std::string name = pager_.credit_picture();
        if (name != shown_credit_picture_) {
            show_picture(picture4_, load_cg(folder_, name), kCreditBox);
            shown_credit_picture_ = name;
        }
    }
    buttons_[0]->setEnabled(pager_.close_enabled());
    const int last = pages_.last_page();
    page_count_->setText(QStringLiteral("%1 / %2").arg(pager_.page_no() + 1).arg(last + 1));
    buttons_[1]->setEnabled(pager_.page_no() > 0);
    buttons_[2]->setEnabled(!pager_.is_last_page());
    buttons_[3]->setEnabled(!pager_.is_last_page());
    if (pager_.close_enabled() && pager_.is_last_page()) buttons_[0]->setFocus();
    else if (!pager_.is_last_page()) buttons_[2]->setFocus();
}

void MsgWindow::Command1_Click(int index) {
    if (index == 0) {
        if (pager_.close_enabled()) accept();
        return;
    }
    pager_.press(index);
    dsp_Text_rtn();
}

void MsgWindow::Timer1_Timer() {
    if (pager_.timer_tick()) dsp_Text_rtn();
    if (pager_.is_last_page()) timer1_->stop();
}

void MsgWindow::reject() {
    // Escape and the window's close box act as 閉, which the credits roll holds back.
    if (pager_.close_enabled()) accept();
}

void MsgWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        // Enter reads on; on the last page it closes.
        if (!pager_.is_last_page()) Command1_Click(2);
        else Command1_Click(0);
        return;
    case Qt::Key_Right:
    case Qt::Key_PageDown:
        Command1_Click(2);
        return;
    case Qt::Key_Left:
    case Qt::Key_PageUp:
        Command1_Click(1);
        return;
    case Qt::Key_End:
        Command1_Click(3);
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

}  // namespace teijinki::ui
