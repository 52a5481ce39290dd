#pragma once
// Form2: the title splash, the scenario and warlord lists, and the way into a new or a saved game.

#include <functional>

#include <QPointer>
#include <QWidget>

#include "ui/info/status_dialog.h"
#include "setup/title_rules.h"

class QLabel;
class QListWidget;
class QPushButton;
class QTimer;

namespace teijinki::ui {

class QtHost;

class TitleScreen : public QWidget {
    Q_OBJECT
public:
    TitleScreen(QtHost& host, const GameFolder& folder, SharedValues& shared, RandomSource& rng);
    ~TitleScreen() override;

    const TitleRules& rules() const { return rules_; }
    // The event handlers, also for tests.
    void List1_0_Click(int position);
    void List1_1_Click(int position);
    void Command2_Click();     // 新規ゲーム
    void Command1_Click(int index);  // 0 終了, 1 続きから
    void splash_clicked();
    void Timer1_Timer();
    StatusDialog* status_sheet() const { return status_; }

signals:
    // The new game's files are made (start_mode 0) or a slot was loaded (start_mode 2).
    void gameReady();
    void quitRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fill_warlords();
    void show_splash_state();
    void show_description();
    bool guarded(const std::function<void()>& action);

    QtHost& host_;
    const GameFolder& folder_;
    SharedValues& shared_;
    TitleRules rules_;

    QLabel* picture1_;
    QLabel* label1_;
    QTimer* timer1_;
    QListWidget* list_[2];
    QLabel* lab_txt_;
    QLabel* hlp_;
    QPushButton* command1_[2];
    QPushButton* command2_;
    QPixmap splash_;
    QPointer<StatusDialog> status_;
    bool music_started_ = false;
};

}  // namespace teijinki::ui
