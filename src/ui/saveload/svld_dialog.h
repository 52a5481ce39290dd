#pragma once
// SVLD: the save/load screen. A digit pad types the slot number, or a slot is picked from the
// list of the saved ones; "決定" saves or previews and loads, "戻る" leaves without doing anything. Every decision is SvldRules'; this screen draws
// its values and closes when the rules say so.

#include <QDialog>
#include <memory>

#include "saveload/svld_rules.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace teijinki::ui {

class QtHost;

class SvldDialog : public QDialog {
    Q_OBJECT
public:
    // Works as the save screen when shared.start_mode is 1 and as the load screen when it is 2.
    SvldDialog(QWidget* parent, QtHost& host, const GameFolder& folder, SharedValues& shared);
    ~SvldDialog() override;

    const SvldRules& rules() const { return *rules_; }
    // The buttons, also for tests: Command1(digit), Command2(0 取消 / 1 決定), Command3 戻る.
    void Command1_Click(int digit);
    void Command2_Click(int index);
    void Command3_Click();
    // The list of saved slots: a click (or the arrow keys) picks a slot's number; a double click
    // picks it and presses "決定", with the usual question.
    void Slot_lst_Click(int row);
    void Slot_lst_DblClick(int row);

public slots:
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    class BoxesOverScreen;
    void show_values();

    QtHost& host_;
    std::unique_ptr<BoxesOverScreen> boxes_;
    std::unique_ptr<SvldRules> rules_;
    QLabel* caption_;
    QLabel* lab_num_;
    QLabel* hlp_;
    QListWidget* slot_lst_;
    QPushButton* digits_[10];
    QPushButton* command2_[2];
    QPushButton* command3_;
};

}  // namespace teijinki::ui
