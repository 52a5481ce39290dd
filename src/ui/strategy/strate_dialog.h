#pragma once
// Strate: the explanation of one strategy offer, with 戻る, 決定 and the data button of the
// general concerned. The caller prepares msg_text, text_no, text_sub1, text_sub2, start_mode and
// form_param; 決定 leaves form_result = 1.

#include <QDialog>

#include "world/game_folder.h"
#include "world/shared_values.h"

class QLabel;
class QPushButton;

namespace teijinki::ui {

class QtHost;

class StrateDialog : public QDialog {
    Q_OBJECT
public:
    StrateDialog(QWidget* parent, QtHost& host, const GameFolder& folder, SharedValues& shared);

    void Command1_Click(int index);
    // The composed explanation (cmd_text).
    const std::string& cmd_text() const { return cmd_text_; }
    // The odds of the offer under the explanation, with what they mean in its tooltip; an empty
    // line shows nothing.
    void show_odds(const std::string& line, const std::string& detail);

public slots:
    void reject() override;

private:
    void dsp_Cmd_rtn();
    void dsp_Text_rtn();

    QtHost& host_;
    const GameFolder& folder_;
    SharedValues& shared_;
    std::string cmd_text_;
    int general_ = 0;
    QLabel* label1_;
    QLabel* lab_txt_;
    QLabel* lab_odds_;
    QPushButton* buttons_[3];
};

}  // namespace teijinki::ui
