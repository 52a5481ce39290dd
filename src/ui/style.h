#pragma once
// The look of the game: ink on parchment, lacquer-red accents, a Japanese serif face.

#include <QColor>
#include <QFont>
#include <QString>

class QApplication;
class QWidget;

namespace teijinki::ui {

namespace colors {
inline const QColor kParchment{0xEF, 0xE3, 0xC4};
inline const QColor kParchmentDark{0xDD, 0xCB, 0xA0};
inline const QColor kInk{0x2A, 0x1E, 0x12};
inline const QColor kLacquer{0x8A, 0x1F, 0x17};
inline const QColor kGold{0xB0, 0x8A, 0x3E};
}  // namespace colors

// The serif family used everywhere ("Noto Serif CJK JP" when installed).
QString serif_family();
// A serif font of the given point size.
QFont serif_font(double point_size, bool bold = false);

// Palette, default font and style sheet for the whole program.
void apply_game_style(QApplication& app);

// Marks a label as a heading (larger, lacquer red) or as a framed value box.
void mark_heading(QWidget* label, double point_size = 15.0);
void mark_value_box(QWidget* label);
// The frame a portrait is shown in: a parchment ground inside a dark wooden border.
void mark_portrait_frame(QWidget* picture);

}  // namespace teijinki::ui
