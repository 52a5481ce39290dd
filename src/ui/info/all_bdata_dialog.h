#pragma once
// All_Bdata "各軍閥所属部将": one column per warlord with the generals serving it; the columns
// of destroyed warlords are silver.

#include <QDialog>
#include <array>

#include "screens/info_lists.h"

class QLabel;
class QListWidget;
class QListWidgetItem;

namespace teijinki::ui {

class QtHost;

class AllBdataDialog : public QDialog {
public:
    AllBdataDialog(QWidget* parent, const GameFolder& folder, SharedValues& shared, info::GeneralsByWarlordView view,
              QtHost* host = nullptr);

    const info::GeneralsByWarlordView& view() const { return view_; }
    QLabel* heading(int k) const { return headings_.at(static_cast<std::size_t>(k)); }
    QListWidget* column(int k) const { return lists_.at(static_cast<std::size_t>(k)); }

private:
    void general_clicked(QListWidgetItem* item);

    const GameFolder& folder_;
    SharedValues& shared_;
    QtHost* host_;
    info::GeneralsByWarlordView view_;
    std::array<QLabel*, info::kGeneralColumns> headings_{};
    std::array<QListWidget*, info::kGeneralColumns> lists_{};
};

}  // namespace teijinki::ui
