#pragma once
// Cmt_Edit: a new comment for the general of form_param, named by msg_text. 決定 rewrites the
// comment file and leaves form_result = 1; 戻る writes nothing.

#include <QDialog>

#include "world/game_folder.h"
#include "world/shared_values.h"

class QLabel;
class QPlainTextEdit;

namespace teijinki::ui {

class QtHost;

class CmtEditDialog : public QDialog {
    Q_OBJECT
public:
    CmtEditDialog(QWidget* parent, QtHost& host, const GameFolder& folder, SharedValues& shared);

    // Command1(1) 決定, Command1(0) 戻る.
    void Command1_Click(int index);
    QPlainTextEdit* text_box() const { return txt_cmt_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QtHost& host_;
    const GameFolder& folder_;
    SharedValues& shared_;
    int general_;
    std::string name_;
    QPlainTextEdit* txt_cmt_;
};

}  // namespace teijinki::ui
