#include "ui/style.h"

#include <algorithm>

#include <QApplication>
#include <QFontDatabase>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>

namespace teijinki::ui {

QString serif_family() {
    static const QString family = [] {
        const QStringList families = QFontDatabase::families();
        for (const char* wanted : {"Noto Serif CJK JP", "Noto Serif JP", "Noto Sans CJK JP", "IPAMincho"})
            if (families.contains(QString::fromUtf8(wanted))) return QString::fromUtf8(wanted);
        return QString();  // the platform's default font, which still has to show the kana
    }();
    return family;
}

QFont serif_font(double point_size, bool bold) {
    QFont font(serif_family());
    font.setPointSizeF(point_size);
    font.setBold(bold);
    font.setStyleHint(QFont::Serif);
    return font;
}

namespace {

// Fusion, with the tick boxes of the lists drawn in ink on parchment: Fusion's own pale grey
// box all but vanishes on the cream of the lists.
class GameStyle : public QProxyStyle {
public:
    GameStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element != PE_IndicatorItemViewItemCheck) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        const QRectF box = QRectF(option->rect).adjusted(1.5, 1.5, -1.5, -1.5);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(colors::kInk, 1.5));
        painter->setBrush(QColor(0xFB, 0xF5, 0xE4));
        painter->drawRoundedRect(box, 2, 2);
        if (option->state & State_On) {
            QPainterPath tick;
            tick.moveTo(box.left() + box.width() * 0.2, box.top() + box.height() * 0.52);
            tick.lineTo(box.left() + box.width() * 0.42, box.top() + box.height() * 0.76);
            tick.lineTo(box.left() + box.width() * 0.82, box.top() + box.height() * 0.24);
            painter->setPen(QPen(colors::kLacquer, std::max(2.0, box.width() / 6), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter->setBrush(Qt::NoBrush);
            painter->drawPath(tick);
        }
        painter->restore();
    }
};

}  // namespace

void apply_game_style(QApplication& app) {
    app.setStyle(new GameStyle);
    QPalette pal;
    pal.setColor(QPalette::Window, colors::kParchment);
    pal.setColor(QPalette::WindowText, colors::kInk);
    pal.setColor(QPalette::Base, QColor(0xF8, 0xF0, 0xDC));
    pal.setColor(QPalette::AlternateBase, colors::kParchmentDark);
    pal.setColor(QPalette::Text, colors::kInk);
    pal.setColor(QPalette::Button, colors::kParchmentDark);
    pal.setColor(QPalette::ButtonText, colors::kInk);
    pal.setColor(QPalette::Highlight, colors::kLacquer);
    pal.setColor(QPalette::HighlightedText, QColor(0xFB, 0xF3, 0xE0));
    pal.setColor(QPalette::ToolTipBase, colors::kParchment);
    pal.setColor(QPalette::ToolTipText, colors::kInk);
    pal.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x9A, 0x8C, 0x74));
    pal.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x9A, 0x8C, 0x74));
    app.setPalette(pal);
    app.setFont(serif_font(12.0));

    app.setStyleSheet(QStringLiteral(R"(
QMainWindow, QDialog, QMessageBox { background: #efe3c4; }
QMenuBar { background: #2a1e12; color: #efe3c4; padding: 2px; }
QMenuBar::item { padding: 4px 14px; background: transparent; }
QMenuBar::item:selected { background: #8a1f17; }
QMenu { background: #f6ecd2; color: #2a1e12; border: 1px solid #6b4f2a; }
QMenu::item { padding: 5px 26px 5px 20px; }
QMenu::item:selected { background: #8a1f17; color: #fbf3e0; }
QPushButton {
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f4e8c9, stop:1 #d9c493);
  color: #2a1e12; border: 1px solid #6b4f2a; border-radius: 3px; padding: 6px 18px; min-height: 22px;
}
QPushButton:hover { border-color: #8a1f17; color: #8a1f17; }
QPushButton:pressed { background: #cdb57d; }
QPushButton:default { border: 2px solid #8a1f17; }
QPushButton:disabled { color: #9a8c74; border-color: #b8a47c; background: #e6d8b4; }
QListWidget {
  background: #f8f0dc; color: #2a1e12; border: 1px solid #8b6d3f; border-radius: 2px; padding: 2px;
}
QListWidget::item { padding: 2px 4px; }
QListWidget::item:hover { background: #eadbb4; }
QListWidget::item:selected { background: #8a1f17; color: #fbf3e0; }
QGroupBox {
  border: 1px solid #8b6d3f; border-radius: 4px; margin-top: 14px; padding: 6px 6px 4px 6px;
  background: rgba(255, 250, 235, 90);
}
QGroupBox::title {
  subcontrol-origin: margin; left: 12px; padding: 0 6px; color: #8a1f17; font-weight: bold;
  background: #efe3c4;
}
QPlainTextEdit { background: #fbf5e4; color: #2a1e12; border: 1px solid #8b6d3f; padding: 6px; }
QScrollBar:vertical { background: #e4d4ab; width: 14px; margin: 0; }
QScrollBar::handle:vertical { background: #a88b57; min-height: 28px; border-radius: 3px; }
QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }
QLabel[role="heading"] { color: #8a1f17; font-weight: bold; }
QLabel[role="value"] {
  background: #f8f0dc; border: 1px solid #b59a68; border-radius: 2px; padding: 2px 6px;
}
QLabel[role="help"] { color: #5a4326; }
QToolTip { border: 1px solid #6b4f2a; }
)"));
}

void mark_heading(QWidget* label, double point_size) {
    label->setProperty("role", QStringLiteral("heading"));
    label->setFont(serif_font(point_size, true));
}

void mark_value_box(QWidget* label) { label->setProperty("role", QStringLiteral("value")); }

void mark_portrait_frame(QWidget* picture) {
    picture->setStyleSheet(QStringLiteral("background:#e4d4ab; border:2px solid #6b4f2a;"));
}

}  // namespace teijinki::ui
