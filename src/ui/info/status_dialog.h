#pragma once
// Status: the sheet of the general in form_param, with its comment, which a click lets the
// player rewrite in Cmt_Edit.

#include <QDialog>

#include "screens/general_sheet.h"
#include "world/game_folder.h"
#include "world/shared_values.h"

class QLabel;
class QPushButton;

namespace teijinki::ui {

class QtHost;

class StatusDialog : public QDialog {
    Q_OBJECT
public:
    // modal: opened over another screen (the title screen shows it modeless).
    StatusDialog(QWidget* parent, QtHost& host, const GameFolder& folder, SharedValues& shared, bool modal);

    int general_id() const { return general_; }
    const GeneralSheet& sheet() const { return sheet_; }
    void Lab_cmt_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Dsp_Chr_rtn();

    QtHost& host_;
    const GameFolder& folder_;
    SharedValues& shared_;
    int general_;
    GeneralSheet sheet_;
    QLabel* name_lab_;
    QLabel* skl_kind_[2];
    QLabel* skl_lab_[3];
    QLabel* lab_cmt_;
    QLabel* hlp_;
    QLabel* picture1_;
};

}  // namespace teijinki::ui
