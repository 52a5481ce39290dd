#include "ui/title/title_screen.h"

#include <algorithm>

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/info/status_dialog.h"
#include "turn/year_cycle.h"
#include "ui/pictures.h"
#include "ui/qt_host.h"
#include "ui/qt_text.h"
#include "ui/style.h"
#include "world/error.h"
#include "ui/window_fit.h"

namespace teijinki::ui {

namespace {
// The credit line the splash shows before the title.
constexpr const char* kSplashCredit = "鼎陣記製作所　謹製";
constexpr int kSplashTimerMs = 1200;
}  // namespace

TitleScreen::TitleScreen(QtHost& host, const GameFolder& folder, SharedValues& shared, RandomSource& rng)
    : QWidget(nullptr), host_(host), folder_(folder), shared_(shared), rules_(folder, shared, rng, host) {
    setObjectName(QStringLiteral("Form2"));
    fit_on_show(*this);
    setWindowTitle(QString::fromUtf8(kGameCaption));
    resize(1120, 720);
    setMouseTracking(true);  // the background clears the help line

    auto* title = new QLabel(QStringLiteral("鼎陣記"), this);
    title->setObjectName(QStringLiteral("TitleMark"));
    mark_heading(title, 34.0);
    auto* subtitle = new QLabel(QStringLiteral("治世巻"), this);
    subtitle->setFont(serif_font(18.0, true));
    subtitle->setStyleSheet(QStringLiteral("color:#5a4326;"));
    auto* heading = new QHBoxLayout;
    heading->addWidget(title);
    heading->addSpacing(14);
    heading->addWidget(subtitle, 0, Qt::AlignBottom);
    heading->addStretch(1);

    for (int i = 0; i < 2; ++i) {
        list_[i] = new QListWidget(this);
        list_[i]->setObjectName(QStringLiteral("List1_%1").arg(i));
        list_[i]->setFont(serif_font(14.0));
        list_[i]->installEventFilter(this);
        list_[i]->viewport()->installEventFilter(this);
        list_[i]->setMouseTracking(true);
    }
    list_[0]->setSelectionMode(QAbstractItemView::SingleSelection);
    list_[1]->setSelectionMode(QAbstractItemView::MultiSelection);
    auto* label2_1 = new QLabel(QStringLiteral("シナリオ"), this);
    label2_1->setObjectName(QStringLiteral("Label2_1"));
    mark_heading(label2_1);
    auto* label2_0 = new QLabel(QStringLiteral("君主名"), this);
    label2_0->setObjectName(QStringLiteral("Label2_0"));
    mark_heading(label2_0);

    lab_txt_ = new QLabel;
    lab_txt_->setObjectName(QStringLiteral("Lab_txt"));
    lab_txt_->setWordWrap(true);
    lab_txt_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lab_txt_->setFont(serif_font(13.0));
    lab_txt_->setStyleSheet(QStringLiteral("background:#fbf5e4; padding:12px;"));
    // On a small screen the description scrolls rather than pushing the buttons off the screen.
    auto* description = new QScrollArea(this);
    description->setObjectName(QStringLiteral("Lab_txt_view"));
    description->setWidget(lab_txt_);
    description->setWidgetResizable(true);
    description->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    description->setStyleSheet(QStringLiteral("#Lab_txt_view { background:#fbf5e4; border:1px solid #8b6d3f; }"));
    description->setMinimumHeight(QFontMetrics(lab_txt_->font()).lineSpacing() * 2 + 26);
    description->setFocusPolicy(Qt::NoFocus);

    hlp_ = new QLabel(this);
    hlp_->setObjectName(QStringLiteral("Hlp"));
    hlp_->setProperty("role", QStringLiteral("help"));
    hlp_->setFont(serif_font(12.5));
    // A line of its own, wrapped on a narrow screen: the whole hint is read, never cut.
    hlp_->setWordWrap(true);
    hlp_->setMinimumHeight(hlp_->fontMetrics().lineSpacing() + 4);

    command1_[0] = new QPushButton(QStringLiteral("終了"), this);
    command1_[1] = new QPushButton(QStringLiteral("続きから"), this);
    command2_ = new QPushButton(QStringLiteral("新規ゲーム"), this);
    command1_[0]->setObjectName(QStringLiteral("Command1_0"));
    command1_[1]->setObjectName(QStringLiteral("Command1_1"));
    command2_->setObjectName(QStringLiteral("Command2"));
    command2_->setDefault(true);
    for (QPushButton* b : {command1_[0], command1_[1], command2_}) {
        b->setFont(serif_font(14.0, true));
        b->setMinimumWidth(140);
    }
    connect(command1_[0], &QPushButton::clicked, this, [this] { Command1_Click(0); });
    connect(command1_[1], &QPushButton::clicked, this, [this] { Command1_Click(1); });
    connect(command2_, &QPushButton::clicked, this, [this] { Command2_Click(); });
    // The same keys as on the main screen: Ctrl+L continues a saved game, Ctrl+Q ends.
    auto* load_key = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_L), this);
    connect(load_key, &QShortcut::activated, this, [this] { Command1_Click(1); });
    auto* quit_key = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
    connect(quit_key, &QShortcut::activated, this, [this] { Command1_Click(0); });

    for (QLabel* caption : {label2_0, label2_1}) {
        caption->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        caption->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    }
    auto* left = new QVBoxLayout;
    left->setSpacing(6);
    left->addWidget(label2_1);
    left->addWidget(list_[0]);
    left->addWidget(description, 1);
    auto* right = new QVBoxLayout;
    right->setSpacing(6);
    right->addWidget(label2_0);
    right->addWidget(list_[1], 1);
    auto* columns = new QHBoxLayout;
    columns->setSpacing(24);
    columns->addLayout(left, 3);
    columns->addLayout(right, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(command1_[0]);
    buttons->addWidget(command1_[1]);
    buttons->addWidget(command2_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 12, 32, 12);
    layout->setSpacing(10);
    layout->addLayout(heading);
    layout->addLayout(columns, 1);
    layout->addWidget(hlp_);
    layout->addLayout(buttons);
    // The lists first, then the buttons in the order they stand.
    setTabOrder(list_[0], list_[1]);
    setTabOrder(list_[1], command1_[0]);
    setTabOrder(command1_[0], command1_[1]);
    setTabOrder(command1_[1], command2_);

    // The splash lies over everything until it is clicked away or runs out.
    picture1_ = new QLabel(this);
    picture1_->setObjectName(QStringLiteral("Picture1"));
    picture1_->setAlignment(Qt::AlignCenter);
    picture1_->setStyleSheet(QStringLiteral("background:#1e1710;"));
    picture1_->installEventFilter(this);
    label1_ = new QLabel(QString::fromUtf8(kSplashCredit), this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setAlignment(Qt::AlignCenter);
    label1_->setFont(serif_font(26.0, true));
    label1_->setStyleSheet(QStringLiteral("color:#f4e6c4; background:rgba(20,14,8,150); padding:10px;"));
    label1_->installEventFilter(this);
    splash_ = load_cg(folder_, "title");

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(kSplashTimerMs);
    connect(timer1_, &QTimer::timeout, this, &TitleScreen::Timer1_Timer);

    // Form_Load: init_rtn and ld_Gnm_rtn here; the title music starts once the screen is up
    // (showEvent), as opening the synthesizer takes longer than drawing the screen.
    guarded([this] { rules_.Form_Load(); });
    for (const std::string& entry : rules_.scenario_entries) list_[0]->addItem(qs(entry));
    list_[0]->setCurrentRow(0);  // scenario 1 is the one set up; the signals are not connected yet
    // All six scenarios in view where there is room, at least two on a small screen.
    if (list_[0]->count() > 0) {
        const int row = list_[0]->sizeHintForRow(0);
        const int frame = 2 * list_[0]->frameWidth() + 8;
        list_[0]->setMaximumHeight(row * list_[0]->count() + frame);
        list_[0]->setMinimumHeight(row * 2 + frame);
        list_[0]->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
        list_[0]->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);
    }
    show_description();
    fill_warlords();
    connect(list_[0], &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { List1_0_Click(list_[0]->row(item)); });
    connect(list_[0], &QListWidget::currentRowChanged, this, [this](int row) {
        // The keyboard chooses a scenario here; a mouse press is handled by the click.
        if (QApplication::mouseButtons() == Qt::NoButton && row >= 0) List1_0_Click(row);
    });
    connect(list_[1], &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { List1_1_Click(list_[1]->row(item)); });
    connect(list_[1], &QListWidget::itemSelectionChanged, this, [this] {
        for (int i = 0; i < list_[1]->count(); ++i) {
            QListWidgetItem* item = list_[1]->item(i);
            item->setCheckState(item->isSelected() ? Qt::Checked : Qt::Unchecked);
        }
    });
    show_splash_state();
    timer1_->start();
}

TitleScreen::~TitleScreen() {
    if (status_) status_->close();
}

bool TitleScreen::guarded(const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const DataError& e) {
        host_.message_box_over(this, std::string("データに誤りがあります。\n") + e.what(), Buttons::Ok);
    } catch (const std::exception& e) {
        host_.message_box_over(this, std::string("処理を続けられません。\n") + e.what(), Buttons::Ok);
    }
    return false;
}

void TitleScreen::show_description() { lab_txt_->setText(qs(rules_.description)); }

void TitleScreen::fill_warlords() {
    list_[1]->clear();
    for (const WarlordEntry& w : rules_.warlords) {
        auto* item = new QListWidgetItem(qs(w.name), list_[1]);
        item->setData(Qt::UserRole, w.ruler_id);
        item->setCheckState(Qt::Unchecked);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    }
}

void TitleScreen::List1_0_Click(int position) {
    if (position < 0) return;
    if (!guarded([&] { rules_.scenario_click(position); })) {
        // A refused scenario is not chosen: the list points back at the one still in force,
        // whose warlords and ticks stay as they were.
        const QSignalBlocker quiet(list_[0]);
        list_[0]->setCurrentRow(shared_.scenario_no - 1);
        return;
    }
    show_description();
    fill_warlords();
}

void TitleScreen::List1_1_Click(int position) {
    QListWidgetItem* item = list_[1]->item(position);
    if (!item) return;
    // The sheet always shows the ruler clicked last.
    if (status_) status_->close();
    shared_.form_param = static_cast<Int16>(item->data(Qt::UserRole).toInt());
    auto* sheet = new StatusDialog(this, host_, folder_, shared_, false);
    status_ = sheet;
    sheet->setWindowFlag(Qt::Window, true);
    // Over the scenario's description, so the warlord list stays in view for the next click.
    fit_on_show(*sheet, lab_txt_);
    sheet->show();
}

void TitleScreen::Command2_Click() {
    std::vector<bool> ticked;
    for (int i = 0; i < list_[1]->count(); ++i) ticked.push_back(list_[1]->item(i)->isSelected());
    bool made = false;
    const bool any = std::find(ticked.begin(), ticked.end(), true) != ticked.end();
    if (any) {
        hlp_->setText(QString::fromUtf8(kHelpMakingData));
        hlp_->repaint();
    }
    guarded([&] { made = rules_.new_game(ticked); });
    if (!made) {
        if (any) hlp_->clear();
        return;
    }
    if (status_) status_->close();
    emit gameReady();
}

void TitleScreen::Command1_Click(int index) {
    if (index == 0) {
        emit quitRequested();
        return;
    }
    shared_.start_mode = 2;
    shared_.form_result = 0;
    const int result = host_.opener().open_load_from_title(this, folder_, shared_);
    if (result == 1) {
        if (status_) status_->close();
        emit gameReady();
    }
}

void TitleScreen::splash_clicked() {
    rules_.splash_click();
    show_splash_state();
}

void TitleScreen::Timer1_Timer() {
    rules_.splash_tick();
    show_splash_state();
}

void TitleScreen::show_splash_state() {
    if (rules_.splash_title_shown) label1_->setText(QString::fromUtf8(kTitleSplashText));
    picture1_->setVisible(rules_.splash_visible);
    label1_->setVisible(rules_.splash_visible);
    if (!rules_.splash_visible) {
        timer1_->stop();
        list_[0]->setFocus();
    }
}

void TitleScreen::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (music_started_) return;
    music_started_ = true;
    // Silence when it cannot play: the title screen has no message for it.
    QTimer::singleShot(50, this, [this] { host_.play_music("french1"); });
}

void TitleScreen::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    picture1_->setGeometry(rect());
    if (!splash_.isNull()) {
        const qreal ratio = devicePixelRatioF();
        QPixmap scaled = splash_.scaled(size() * ratio, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
        scaled.setDevicePixelRatio(ratio);
        picture1_->setPixmap(scaled);
    }
    const int h = label1_->sizeHint().height();
    label1_->setGeometry(0, height() - h - height() / 10, width(), h);
    picture1_->raise();
    label1_->raise();
}

bool TitleScreen::eventFilter(QObject* watched, QEvent* event) {
    // Every press counts, the second of a quick double click too.
    const bool press = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
    if ((watched == picture1_ || watched == label1_) && press) {
        splash_clicked();
        return true;
    }
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
        if (watched == list_[0] || watched == list_[0]->viewport()) hlp_->setText(QString::fromUtf8(kHelpScenarioList));
        if (watched == list_[1] || watched == list_[1]->viewport()) hlp_->setText(QString::fromUtf8(kHelpWarlordList));
    }
    return QWidget::eventFilter(watched, event);
}

void TitleScreen::mouseMoveEvent(QMouseEvent* event) {
    // Back_MouseMove.
    hlp_->clear();
    QWidget::mouseMoveEvent(event);
}

void TitleScreen::keyPressEvent(QKeyEvent* event) {
    if (rules_.splash_visible) {
        // Any key hurries the splash along, like a click.
        splash_clicked();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A button with the focus is the one Enter presses; from the lists it is 新規ゲーム.
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) button->click();
        else Command2_Click();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

}  // namespace teijinki::ui
