#include "ui/info/qt_info_columns.h"

#include <algorithm>

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "ui/qt_text.h"
#include "ui/style.h"

namespace teijinki::ui {

// The rows' area: tints every other line under the column labels.
class ColumnSheet::Body : public QWidget {
public:
    explicit Body(ColumnSheet* sheet) : sheet_(sheet) {}

protected:
    void paintEvent(QPaintEvent*) override {
        if (sheet_->bodies_.empty() || sheet_->rows_ <= 0) return;
        const QLabel* first = sheet_->bodies_.front();
        const QRect text = first->contentsRect().translated(first->pos());
        const double line = static_cast<double>(first->fontMetrics().lineSpacing());
        QPainter p(this);
        for (int row = 0; row < sheet_->rows_; ++row) {
            if (row % 2 == 0) continue;
            const double top = text.top() + row * line;
            p.fillRect(QRectF(0, top, width(), line), QColor(0xE6, 0xD6, 0xAE, 150));
        }
        p.setPen(QPen(QColor(0x8B, 0x6D, 0x3F), 1));
        p.drawLine(0, 0, width(), 0);
    }

private:
    ColumnSheet* sheet_;
};

ColumnSheet::ColumnSheet(QWidget* parent) : QWidget(parent) {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(2);
    heading_row_ = new QHBoxLayout;
    heading_row_->setSpacing(0);
    heading_row_->setContentsMargins(0, 0, 0, 0);
    outer->addLayout(heading_row_);

    body_ = new Body(this);
    body_row_ = new QHBoxLayout(body_);
    body_row_->setSpacing(0);
    body_row_->setContentsMargins(0, 0, 0, 0);
    scroll_ = new QScrollArea(this);
    scroll_->setWidget(body_);
    scroll_->setWidgetResizable(true);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->viewport()->setAutoFillBackground(false);
    body_->setAutoFillBackground(false);
    scroll_->verticalScrollBar()->setObjectName(QStringLiteral("VScroll1"));
    // The bar moves by one row per arrow step.
    scroll_->verticalScrollBar()->setSingleStep(fontMetrics().lineSpacing());
    outer->addWidget(scroll_, 1);
}

void ColumnSheet::add_column(const QString& heading_name, const std::string& heading, const QString& body_name,
                             Qt::Alignment alignment, int min_width) {
    auto* head = new QLabel(qs(heading), this);
    head->setObjectName(heading_name);
    head->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    head->setProperty("role", QStringLiteral("heading"));
    head->setMinimumWidth(min_width);
    head->setContentsMargins(4, 0, 4, 2);
    heading_row_->addWidget(head);
    headings_.push_back(head);

    auto* column = new QLabel(body_);
    column->setObjectName(body_name);
    column->setTextFormat(Qt::PlainText);
    column->setAlignment(alignment | Qt::AlignTop);
    column->setMinimumWidth(min_width);
    column->setContentsMargins(8, 2, 8, 2);
    body_row_->addWidget(column);
    bodies_.push_back(column);
}

void ColumnSheet::set_lines(int column, const std::vector<std::string>& lines) {
    QStringList text;
    for (const auto& line : lines) text << qs(line);
    body(column)->setText(text.join(QChar('\n')));
    rows_ = std::max(rows_, static_cast<int>(lines.size()));
}

void ColumnSheet::finish(int visible_rows) {
    for (std::size_t k = 0; k < bodies_.size(); ++k) {
        const int w = std::max({headings_[k]->sizeHint().width(), bodies_[k]->sizeHint().width(),
                                bodies_[k]->minimumWidth()});
        headings_[k]->setFixedWidth(w);
        bodies_[k]->setFixedWidth(w);
    }
    heading_row_->addStretch(1);
    heading_row_->addSpacing(scroll_->verticalScrollBar()->sizeHint().width());
    body_row_->addStretch(1);
    const int line = bodies_.empty() ? fontMetrics().lineSpacing() : bodies_.front()->fontMetrics().lineSpacing();
    rows_height_ = line * visible_rows + 8;
    constexpr int kFewestRows = 6;
    scroll_->setMinimumHeight(line * std::min(visible_rows, kFewestRows) + 8);
    updateGeometry();
}

QSize ColumnSheet::sizeHint() const {
    const QSize laid_out = QWidget::sizeHint();
    return QSize(laid_out.width(), laid_out.height() - scroll_->sizeHint().height() + std::max(rows_height_, scroll_->sizeHint().height()));
}

QScrollBar* ColumnSheet::scroll_bar() const { return scroll_->verticalScrollBar(); }

QPushButton* add_back_row(QDialog& dialog, QBoxLayout& outer, const QString& back_name,
                          const std::vector<QPushButton*>& before) {
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* button : before) buttons->addWidget(button);
    auto* back = new QPushButton(QStringLiteral("戻る"), &dialog);
    back->setObjectName(back_name);
    back->setDefault(true);
    buttons->addWidget(back);
    outer.addLayout(buttons);
    QObject::connect(back, &QPushButton::clicked, &dialog, &QDialog::reject);
    return back;
}

}  // namespace teijinki::ui
