#include "ui/messages/msg_window.h"

#include <algorithm>

#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/pictures.h"
#include "ui/qt_text.h"
#include "ui/style.h"
#include "ui/window_fit.h"

namespace teijinki::ui {

namespace {
const QSize kPortraitBox(180, 225);
const QSize kCreditBox(300, 225);
}  // namespace

MsgWindow::MsgWindow(QWidget* parent, const GameFolder& folder, const PageStore& pages, int msg_mode, bool caution,
                     int credit_interval_ms)
    : QDialog(parent), folder_(folder), pages_(pages), pager_(pages, msg_mode) {
    setObjectName(QStringLiteral("Msg"));
    fit_on_show(*this);
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
    picture4_->hide();

    // A column of one width whether a page has a portrait or not, so the text never re-wraps.
    auto* column = new QWidget(this);
    column->setFixedWidth((msg_mode == kMsgCredits ? kCreditBox : kPortraitBox).width() + 8);
    auto* left = new QVBoxLayout(column);
    left->setContentsMargins(0, 0, 0, 0);
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
    // The bar only shows when part of the page is hidden; the page counter says so too.
    viewport_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The keys page and scroll through the window's shortcuts, so the view never takes them.
    viewport_->setFocusPolicy(Qt::NoFocus);
    viewport_->verticalScrollBar()->setObjectName(QStringLiteral("VScroll1"));
    viewport_->verticalScrollBar()->setSingleStep(24);
    viewport_->setStyleSheet(QStringLiteral("QScrollArea { background:transparent; } QScrollArea > QWidget > QWidget { background:transparent; }"));
    auto* frame_layout = new QVBoxLayout(frame);
    frame_layout->setContentsMargins(3, 3, 3, 3);
    frame_layout->addWidget(viewport_);

    // The reports carry no portraits: their text takes the whole width.
    bool portraits = msg_mode == kMsgCredits;
    for (int i = 0; i <= pages.last_page(); ++i)
        portraits = portraits || !pages.page_cg[i].empty() || !pages.page_caption[i].empty();
    column->setVisible(portraits);
    body_ = new QHBoxLayout;
    body_->addWidget(column);
    body_->addWidget(frame, 1);

    // Command1(0..3).
    const char* captions[4] = {"閉", "前ページ", "次ページ", "最終ページ"};
    for (int i = 0; i < 4; ++i) {
        buttons_[i] = new QPushButton(QString::fromUtf8(captions[i]), this);
        buttons_[i]->setObjectName(QStringLiteral("Command1_%1").arg(i));
        buttons_[i]->setAutoDefault(false);
        buttons_[i]->setMinimumWidth(110);
    }
    connect(buttons_[0], &QPushButton::clicked, this, [this] { Command1_Click(0); });
    connect(buttons_[1], &QPushButton::clicked, this, &MsgWindow::read_back);
    connect(buttons_[2], &QPushButton::clicked, this, &MsgWindow::read_on);
    connect(buttons_[3], &QPushButton::clicked, this, [this] { Command1_Click(3); });
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
    outer->addLayout(body_, 1);
    outer->addLayout(row);

    // Right and PageDown read on, Left and PageUp back, Home and End go to the first and the
    // last page, Up and Down move the text by a line.
    auto keys = [this](std::initializer_list<Qt::Key> list, auto action) {
        for (Qt::Key key : list) connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this, action);
    };
    keys({Qt::Key_Right, Qt::Key_PageDown}, [this] { read_on(); });
    keys({Qt::Key_Left, Qt::Key_PageUp}, [this] { read_back(); });
    keys({Qt::Key_Home}, [this] {
        pager_.first();
        dsp_Text_rtn();
    });
    keys({Qt::Key_End}, [this] { Command1_Click(3); });
    QScrollBar* bar = viewport_->verticalScrollBar();
    keys({Qt::Key_Down}, [bar] { bar->triggerAction(QAbstractSlider::SliderSingleStepAdd); });
    keys({Qt::Key_Up}, [bar] { bar->triggerAction(QAbstractSlider::SliderSingleStepSub); });
    connect(bar, &QScrollBar::valueChanged, this, &MsgWindow::show_reading_state);
    connect(bar, &QScrollBar::rangeChanged, this, &MsgWindow::show_reading_state);

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(credit_interval_ms);
    connect(timer1_, &QTimer::timeout, this, &MsgWindow::Timer1_Timer);
    // Every tick acts, so a roll paged back by hand rolls on again.
    if (pager_.msg_mode() == kMsgCredits) timer1_->start();

    // The roll's pages are padded so that their lines sit low: they keep the usual height.
    if (pager_.msg_mode() != kMsgCredits) grow_to_tallest_page();
    dsp_Text_rtn();
}

void MsgWindow::grow_to_tallest_page() {
    // The window is as tall as its tallest page needs, as far as the screen allows (the window
    // is fitted to the screen when it is shown); what still does not fit is scrolled to.
    // Laid out at the window's first size now, so the text's width is known before it is shown.
    layout()->activate();
    layout()->setGeometry(rect());
    QWidget* frame = viewport_->parentWidget();
    frame->layout()->setGeometry(frame->rect());
    const int text_width = viewport_->width() - viewport_->verticalScrollBar()->sizeHint().width();
    int tallest = 0;
    for (int i = 0; i <= pages_.last_page(); ++i) {
        label1_->setText(qs(pages_.page_text[i]));
        tallest = std::max(tallest, label1_->heightForWidth(text_width));
    }
    // A line to spare: the layout does not hand the window's growth to the text to the pixel.
    const int more = tallest - viewport_->height();
    if (more > 0) resize(width(), height() + more + label1_->fontMetrics().lineSpacing());
}

void MsgWindow::dsp_Text_rtn() {
    label1_->setText(qs(pager_.text()));
    label2_->setText(qs(pager_.caption()));
    // The view takes the new page's height now, so what is hidden below is known at once.
    QCoreApplication::sendPostedEvents(viewport_->viewport(), QEvent::LayoutRequest);
    viewport_->verticalScrollBar()->setValue(0);
    if (pager_.msg_mode() == kMsgCredits) {
        // The roll's lines sit low on the page: show its foot once the text is laid out.
        QTimer::singleShot(0, this, [this] {
            QScrollBar* bar = viewport_->verticalScrollBar();
            bar->setValue(bar->maximum());
        });
    }

    show_picture(picture3_, load_cg(folder_, pager_.picture()), kPortraitBox);
    if (pager_.credit_picture_visible()) {
        const std::string name = pager_.credit_picture();
        if (name != shown_credit_picture_) {
            credit_picture_ = load_cg(folder_, name);
            shown_credit_picture_ = name;
        }
        show_picture(picture4_, credit_picture_, kCreditBox);
    } else {
        picture4_->hide();
    }
    buttons_[0]->setEnabled(pager_.close_enabled());
    buttons_[3]->setEnabled(!pager_.is_last_page());
    show_reading_state();
    if (pager_.close_enabled() && pager_.is_last_page() && !rest_hidden()) buttons_[0]->setFocus();
    else buttons_[2]->setFocus();
}

bool MsgWindow::rest_hidden() const {
    const QScrollBar* bar = viewport_->verticalScrollBar();
    return bar->value() < bar->maximum();
}

void MsgWindow::show_reading_state() {
    const bool rest = rest_hidden();
    QString count = QStringLiteral("%1 / %2").arg(pager_.page_no() + 1).arg(pages_.last_page() + 1);
    if (rest) count += QStringLiteral("　▼ 続きあり");
    page_count_->setText(count);
    buttons_[1]->setEnabled(pager_.page_no() > 0 || viewport_->verticalScrollBar()->value() > 0);
    buttons_[2]->setEnabled(!pager_.is_last_page() || rest);
}

void MsgWindow::scroll_by_view(int direction) {
    QScrollBar* bar = viewport_->verticalScrollBar();
    // A line of the view before stays in view, so the reader keeps his place.
    bar->setValue(bar->value() + direction * std::max(bar->pageStep() - bar->singleStep(), bar->singleStep()));
}

void MsgWindow::read_on() {
    if (rest_hidden()) {
        scroll_by_view(1);
        if (!rest_hidden() && pager_.is_last_page() && pager_.close_enabled()) buttons_[0]->setFocus();
        return;
    }
    Command1_Click(2);
}

void MsgWindow::read_back() {
    if (viewport_->verticalScrollBar()->value() > 0) {
        scroll_by_view(-1);
        return;
    }
    Command1_Click(1);
}

void MsgWindow::show_beside_text(QWidget* widget) {
    widget->setParent(this);
    body_->addWidget(widget, 1);
    // Held to the screen's area when shown, as every window is. The text is narrower now, so
    // its tallest page is measured again.
    resize(width() + widget->minimumWidth(), height());
    if (pager_.msg_mode() != kMsgCredits) grow_to_tallest_page();
    dsp_Text_rtn();
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
        // Enter reads on; at the end of the last page it closes.
        if (!pager_.is_last_page() || rest_hidden()) read_on();
        else Command1_Click(0);
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

}  // namespace teijinki::ui
