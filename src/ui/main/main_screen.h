#pragma once
// Main: the year's warlords in their four alliance panels with the year's offers, whose turn it
// is, and the game's menus. Every event calls one step of the year cycle and then redraws what
// the rules left in the main state.

#include <QMainWindow>
#include <functional>
#include <memory>

#include "turn/main_state.h"

class QAction;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace teijinki::ui {

class QtHost;

class MainScreen : public QMainWindow {
    Q_OBJECT
public:
    MainScreen(QtHost& host, const GameFolder& folder, SharedValues& shared, RandomSource& rng);
    ~MainScreen() override;

    MainState& state() { return *m_; }
    // Form_Load: the new or the loaded game (start_mode), up to the first player's turn.
    void open_game();

    // The event handlers, also for tests.
    void Com_Lst_Click(int panel, int position);
    void Gun_lst_Click(int panel, int position);
    void dsp_PC_Click(int row);
    void Command1_Click(int index);  // 3 Auto, any other index the map
    void cmdSave_Click();
    void cmdLoad_Click();
    void newGame_Click();
    void exitGame_Click();
    void cmdItiran_Click();
    void cmdStandings_Click();
    void cmdVer_Click();
    void cmdMusic_Click();

    // Redraws everything from the main state.
    void refresh();

signals:
    void restartRequested();  // 最初から: back to a fresh title screen

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool guarded(const std::function<void()>& action);

    QtHost& host_;
    const GameFolder& folder_;
    std::unique_ptr<MainState> m_;

    QLabel* year_lab_;
    QLabel* turn_lab_;
    QLabel* turn_pic_;
    QListWidget* pc_lst_;
    QGroupBox* frame_[4];
    QListWidget* gun_lst_[4];
    QListWidget* com_lst_[4];
    QLabel* hei_lab_[4];
    QLabel* kes_lab_[4];
    QPushButton* command1_[4];
    QAction* cmd_music_;
    std::string shown_portrait_;
};

}  // namespace teijinki::ui
