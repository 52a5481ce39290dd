#include "ui/main/main_screen.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "ui/strategy/strate_dialog.h"
#include "strategy/odds_text.h"
#include "strategy/strategy_table.h"
#include "turn/command_menu.h"
#include "turn/year_cycle.h"
#include "ui/pictures.h"
#include "ui/qt_host.h"
#include "ui/qt_text.h"
#include "ui/style.h"
#include "world/error.h"
#include "world/numbers.h"
#include "ui/list_keys.h"
#include "ui/window_fit.h"

namespace teijinki::ui {

namespace {
const QSize kTurnPortraitBox(80, 100);
constexpr const char* kVersionText = "鼎陣記1.96\r\nsince2002/08/25";
}  // namespace

MainScreen::MainScreen(QtHost& host, const GameFolder& folder, SharedValues& shared, RandomSource& rng)
    : QMainWindow(nullptr), host_(host), folder_(folder), m_(std::make_unique<MainState>(folder, shared, rng, host)) {
    setObjectName(QStringLiteral("Main"));
    fit_on_show(*this);
    setWindowTitle(QString::fromUtf8(kGameCaption));
    resize(1240, 780);
    host_.set_main_state(m_.get());
    host_.set_redraw_board([this] { refresh(); });

    // Menus.
    QMenu* sys = menuBar()->addMenu(QStringLiteral("ファイル"));
    sys->setObjectName(QStringLiteral("cmdSys"));
    auto add = [this](QMenu* menu, const char* name, const char* caption, void (MainScreen::*slot)()) {
        QAction* action = menu->addAction(QString::fromUtf8(caption));
        action->setObjectName(QString::fromUtf8(name));
        connect(action, &QAction::triggered, this, [this, slot] { (this->*slot)(); });
        return action;
    };
    add(sys, "cmdSave", "セーブ", &MainScreen::cmdSave_Click)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    add(sys, "cmdLoad", "ロード", &MainScreen::cmdLoad_Click)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    sys->addSeparator();
    add(sys, "newGame", "最初から", &MainScreen::newGame_Click);
    add(sys, "exitGame", "終了", &MainScreen::exitGame_Click)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    QMenu* info = menuBar()->addMenu(QStringLiteral("情報"));
    info->setObjectName(QStringLiteral("cmdInfo"));
    add(info, "cmdItiran", "軍閥一覧", &MainScreen::cmdItiran_Click);
    add(info, "cmdStandings", "勢力推移", &MainScreen::cmdStandings_Click);
    add(info, "cmdVer", "バージョン情報", &MainScreen::cmdVer_Click);
    QMenu* env = menuBar()->addMenu(QStringLiteral("環境"));
    env->setObjectName(QStringLiteral("cmdEnv"));
    cmd_music_ = add(env, "cmdMusic", "BGM/OFF", &MainScreen::cmdMusic_Click);

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("Back"));
    setCentralWidget(central);

    // Heading: the year, whose turn it is with the lord's portrait, and the players.
    year_lab_ = new QLabel(central);
    year_lab_->setObjectName(QStringLiteral("Year_lab"));
    mark_heading(year_lab_, 26.0);
    turn_pic_ = new QLabel(central);
    turn_pic_->setObjectName(QStringLiteral("Kun_pic"));
    turn_pic_->setFixedSize(kTurnPortraitBox + QSize(6, 6));
    turn_pic_->setAlignment(Qt::AlignCenter);
    mark_portrait_frame(turn_pic_);
    turn_lab_ = new QLabel(central);
    turn_lab_->setObjectName(QStringLiteral("Teban_lab"));
    turn_lab_->setFont(serif_font(16.0, true));
    turn_lab_->setMinimumWidth(170);
    pc_lst_ = new QListWidget(central);
    pc_lst_->setObjectName(QStringLiteral("PC_lst"));
    pc_lst_->setFixedSize(200, 92);
    pc_lst_->setToolTip(QStringLiteral("プレイヤーの軍閥のデータを見る"));
    connect(pc_lst_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { dsp_PC_Click(pc_lst_->row(item)); });
    open_with_enter(*pc_lst_, [this](QListWidgetItem* item) { dsp_PC_Click(pc_lst_->row(item)); });
    auto* players_caption = new QLabel(QStringLiteral("プレイヤー"), central);
    players_caption->setProperty("role", QStringLiteral("heading"));
    auto* players = new QVBoxLayout;
    players->setSpacing(2);
    players->addWidget(players_caption);
    players->addWidget(pc_lst_);

    auto* header = new QHBoxLayout;
    header->addWidget(year_lab_, 0, Qt::AlignVCenter);
    header->addStretch(1);
    header->addWidget(turn_pic_);
    header->addSpacing(8);
    header->addWidget(turn_lab_, 0, Qt::AlignVCenter);
    header->addSpacing(16);
    header->addLayout(players);

    // The four panels.
    auto* panels = new QWidget;
    panels->setObjectName(QStringLiteral("Panels"));
    auto* grid = new QGridLayout(panels);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(10);
    for (int p = 0; p < 4; ++p) {
        frame_[p] = new QGroupBox(panels);
        frame_[p]->setObjectName(QStringLiteral("Frame_%1").arg(p));
        frame_[p]->setFont(serif_font(14.0, true));
        auto* members = new QLabel(QStringLiteral("所属軍閥"), frame_[p]);
        members->setProperty("role", QStringLiteral("heading"));
        auto* offers = new QLabel(QStringLiteral("今年の戦略"), frame_[p]);
        offers->setProperty("role", QStringLiteral("heading"));
        gun_lst_[p] = new QListWidget(frame_[p]);
        gun_lst_[p]->setObjectName(QStringLiteral("Gun_lst_%1").arg(p));
        gun_lst_[p]->setFont(serif_font(12.5));
        gun_lst_[p]->setToolTip(QStringLiteral("軍閥のデータと、その画策を見る"));
        com_lst_[p] = new QListWidget(frame_[p]);
        com_lst_[p]->setObjectName(QStringLiteral("Com_Lst_%1").arg(p));
        com_lst_[p]->setFont(serif_font(12.5));
        connect(gun_lst_[p], &QListWidget::itemClicked, this,
                [this, p](QListWidgetItem* item) { Gun_lst_Click(p, gun_lst_[p]->row(item)); });
        connect(com_lst_[p], &QListWidget::itemClicked, this,
                [this, p](QListWidgetItem* item) { Com_Lst_Click(p, com_lst_[p]->row(item)); });
        open_with_enter(*gun_lst_[p], [this, p](QListWidgetItem* item) { Gun_lst_Click(p, gun_lst_[p]->row(item)); });
        open_with_enter(*com_lst_[p], [this, p](QListWidgetItem* item) { Com_Lst_Click(p, com_lst_[p]->row(item)); });
        hei_lab_[p] = new QLabel(frame_[p]);
        hei_lab_[p]->setObjectName(QStringLiteral("Hei_lab_%1").arg(p));
        kes_lab_[p] = new QLabel(frame_[p]);
        kes_lab_[p]->setObjectName(QStringLiteral("Kes_lab_%1").arg(p));
        for (QLabel* value : {hei_lab_[p], kes_lab_[p]}) {
            mark_value_box(value);
            value->setFont(serif_font(13.0));
            value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            value->setMinimumWidth(90);
        }
        auto* strength_caption = new QLabel(QStringLiteral("同盟総兵力"), frame_[p]);
        auto* cohesion_caption = new QLabel(QStringLiteral("同盟の結束力"), frame_[p]);
        for (QLabel* c : {members, offers, strength_caption, cohesion_caption}) c->setFont(serif_font(12.0, true));

        auto* lists = new QGridLayout;
        lists->addWidget(members, 0, 0);
        lists->addWidget(offers, 0, 1);
        lists->addWidget(gun_lst_[p], 1, 0);
        lists->addWidget(com_lst_[p], 1, 1);
        lists->setColumnStretch(0, 1);
        lists->setColumnStretch(1, 1);
        auto* figures = new QHBoxLayout;
        figures->addWidget(strength_caption);
        figures->addWidget(hei_lab_[p]);
        figures->addSpacing(12);
        figures->addWidget(cohesion_caption);
        figures->addWidget(kes_lab_[p]);
        figures->addStretch(1);
        auto* box = new QVBoxLayout(frame_[p]);
        box->addLayout(lists, 1);
        box->addLayout(figures);
        grid->addWidget(frame_[p], p / 2, p % 2);
    }

    // Command1: index 3 hands the move to the computer, the others open the map.
    for (int i = 0; i < 4; ++i) command1_[i] = nullptr;
    command1_[0] = new QPushButton(QStringLiteral("全国地図"), central);
    command1_[3] = new QPushButton(QStringLiteral("Auto"), central);
    command1_[3]->setToolTip(QStringLiteral("この年の行動をコンピュータに任せる"));
    for (int i : {0, 3}) {
        command1_[i]->setObjectName(QStringLiteral("Command1_%1").arg(i));
        command1_[i]->setFont(serif_font(14.0, true));
        command1_[i]->setMinimumWidth(150);
        connect(command1_[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }
    auto* hint = new QLabel(QStringLiteral("自軍の同盟の戦略を選ぶと、その説明が開きます。"), central);
    hint->setObjectName(QStringLiteral("Hlp"));
    hint->setProperty("role", QStringLiteral("help"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(hint, 1);
    bottom->addWidget(command1_[0]);
    bottom->addWidget(command1_[3]);

    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(22, 8, 22, 12);
    layout->setSpacing(6);
    layout->addLayout(header);
    layout->addWidget(scroll_when_cramped(panels, central), 1);
    layout->addLayout(bottom);
}

MainScreen::~MainScreen() {
    host_.set_main_state(nullptr);
    host_.set_redraw_board({});
}

bool MainScreen::guarded(const std::function<void()>& action) {
    host_.set_parent(this);
    bool ok = false;
    try {
        action();
        ok = true;
    } catch (const DataError& e) {
        host_.message_box_over(this, std::string("データに誤りがあります。\n") + e.what(), Buttons::Ok);
    } catch (const std::exception& e) {
        host_.message_box_over(this, std::string("処理を続けられません。\n") + e.what(), Buttons::Ok);
    }
    if (!host_.ended()) refresh();
    return ok;
}

void MainScreen::open_game() {
    guarded([this] { open_main(*m_); });
}

void MainScreen::refresh() {
    const MainState& m = *m_;
    const SharedValues& sh = m.shared;
    year_lab_->setText(qs(m.year_heading));
    turn_lab_->setText(awaiting_player(m) ? qs(m.turn_label) : QStringLiteral("観戦中"));
    const std::string portrait = turn_portrait(m);
    if (portrait != shown_portrait_) {
        show_picture(turn_pic_, load_cg(folder_, portrait), kTurnPortraitBox);
        shown_portrait_ = portrait;
    }
    pc_lst_->clear();
    for (const std::string& name : m.player_list) pc_lst_->addItem(qs(name));

    for (int p = 0; p < 4; ++p) {
        const bool own = is_own_panel(m, p);
        frame_[p]->setTitle(qs(m.panel_caption[p]) + (own ? QStringLiteral("　（自軍）") : QString()));
        frame_[p]->setStyleSheet(own ? QStringLiteral("QGroupBox { border: 2px solid #8a1f17; }") : QString());
        gun_lst_[p]->clear();
        const PanelList& list = m.gun_lst[p];
        for (std::size_t i = 0; i < list.ids.size(); ++i) {
            auto* item = new QListWidgetItem(qs(list.names[i]), gun_lst_[p]);
            item->setData(Qt::UserRole, list.ids[i]);
        }
        com_lst_[p]->clear();
        for (int code : sh.com_codes[p]) {
            auto* item = new QListWidgetItem(qs(std::string(command_name(code))), com_lst_[p]);
            item->setData(Qt::UserRole, code);
        }
        com_lst_[p]->setToolTip(own ? QStringLiteral("戦略を選ぶ") : QStringLiteral("他の同盟の戦略（読むだけ）"));
        hei_lab_[p]->setText(qs(Digits(sh.mei_troops[p]) + "000"));
        kes_lab_[p]->setText(qs(Digits(sh.mei_kessoku[p])));
    }
    cmd_music_->setText(QString::fromUtf8(music_menu_caption(m)));
    const bool playing = !m.game_over;
    command1_[3]->setEnabled(playing);
    command1_[0]->setEnabled(playing);
}

void MainScreen::Com_Lst_Click(int panel, int position) {
    if (m_->game_over) return;
    guarded([&] {
        if (!prepare_offer(*m_, panel, position)) return;
        const OfferOdds odds = offer_odds(*m_, panel, position);
        StrateDialog strate(this, host_, folder_, m_->shared);
        strate.show_odds(odds_line(odds), odds_detail(odds));
        host_.run_modal(strate);
        confirm_offer(*m_, panel, position);
    });
}

void MainScreen::Gun_lst_Click(int panel, int position) {
    if (panel < 0 || panel > 3 || position < 0 || position >= static_cast<int>(m_->gun_lst[panel].ids.size())) return;
    guarded([&] {
        prepare_warlord_sheet(*m_, panel, m_->gun_lst[panel].ids[static_cast<std::size_t>(position)]);
        host_.opener().open_warlord_sheet(this, *m_);
    });
}

void MainScreen::dsp_PC_Click(int row) {
    guarded([&] {
        const PlayerSheet sheet = player_sheet(*m_, row);
        if (sheet.warlord == 0) {
            if (!sheet.fallen_message.empty()) host_.message_box_over(this, sheet.fallen_message, Buttons::Ok);
            return;
        }
        prepare_warlord_sheet(*m_, sheet.panel, sheet.warlord);
        host_.opener().open_warlord_sheet(this, *m_);
    });
}

void MainScreen::Command1_Click(int index) {
    if (m_->game_over) return;
    guarded([&] { teijinki::Command1_Click(*m_, index); });
}

void MainScreen::cmdSave_Click() {
    guarded([&] { host_.opener().save_game(this, *m_); });
}

void MainScreen::cmdLoad_Click() {
    guarded([&] { host_.opener().load_game(this, *m_); });
}

void MainScreen::newGame_Click() {
    bool restart = false;
    guarded([&] { restart = teijinki::newGame_Click(*m_); });
    if (restart) emit restartRequested();
}

void MainScreen::exitGame_Click() {
    guarded([&] { teijinki::exitGame_Click(*m_); });
}

void MainScreen::cmdItiran_Click() {
    guarded([&] { host_.opener().open_warlord_list(this, *m_); });
}

void MainScreen::cmdStandings_Click() {
    guarded([&] { host_.opener().open_standings(this, *m_); });
}

void MainScreen::cmdVer_Click() { host_.message_box_over(this, kVersionText, Buttons::Ok); }

void MainScreen::cmdMusic_Click() {
    guarded([&] { teijinki::cmdMusic_Click(*m_); });
}

void MainScreen::closeEvent(QCloseEvent* event) {
    // The window's close box is the menu's 終了, with its question about an unsaved game.
    if (host_.ended() || m_->game_over) {
        event->accept();
        return;
    }
    bool ended = false;
    guarded([&] { ended = teijinki::exitGame_Click(*m_); });
    if (ended) event->accept();
    else event->ignore();
}

}  // namespace teijinki::ui
