#pragma once
// A table made of column labels, one line per row in each, under fixed headings: the way the
// overview screens stack their values. The rows scroll under the headings with a vertical bar
// (object name VScroll1); every other row is tinted so a line can be followed across.

#include <QWidget>
#include <string>
#include <vector>

class QBoxLayout;
class QDialog;
class QLabel;
class QPushButton;
class QScrollArea;
class QScrollBar;
class QHBoxLayout;

namespace teijinki::ui {

class ColumnSheet : public QWidget {
public:
    explicit ColumnSheet(QWidget* parent = nullptr);

    // A column: heading (object name heading_name) over the body label (object name body_name).
    void add_column(const QString& heading_name, const std::string& heading, const QString& body_name,
                    Qt::Alignment alignment, int min_width);
    // The column's lines, one per row; every column should get the same number.
    void set_lines(int column, const std::vector<std::string>& lines);
    // Widths fixed to the widest of heading and body, and room asked for visible_rows rows (a
    // few on a small screen); call after the last set_lines.
    void finish(int visible_rows);
    QSize sizeHint() const override;

    QLabel* heading(int column) const { return headings_.at(static_cast<std::size_t>(column)); }
    QLabel* body(int column) const { return bodies_.at(static_cast<std::size_t>(column)); }
    QScrollBar* scroll_bar() const;
    int row_count() const { return rows_; }

private:
    class Body;
    QHBoxLayout* heading_row_;
    QHBoxLayout* body_row_;
    Body* body_;
    QScrollArea* scroll_;
    std::vector<QLabel*> headings_;
    std::vector<QLabel*> bodies_;
    int rows_ = 0;
    int rows_height_ = 0;  // the height visible_rows rows take
};

// The row the information screens close with: right-aligned, the extra buttons, then "戻る"
// (object name back_name), the default button, which closes the dialog. Returns "戻る".
QPushButton* add_back_row(QDialog& dialog, QBoxLayout& outer, const QString& back_name,
                          const std::vector<QPushButton*>& before = {});

}  // namespace teijinki::ui
