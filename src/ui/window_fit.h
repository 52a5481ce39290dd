#pragma once
// Every window of the game opens inside the available area of its screen (the taskbar left
// out), at a size that fits, over the window it belongs to: a laptop screen or a large scale
// factor must never put a button out of reach.

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

namespace teijinki::ui {

// The client geometry of a window that would like `wanted` (never less than `minimum`) and
// gets the window system's `frame` round it: no larger than `area` allows, centred over `over`
// (the area when `over` is empty), then moved so that its frame lies inside the area. Only a
// minimum larger than the area can leave the area, at its top left corner.
QRect fitted_geometry(QSize wanted, QSize minimum, QMargins frame, QRect area, QRect over);

// The available area of the screen the window's parent is on (its own screen without parent).
QRect available_area(const QWidget& window);

// The window fits itself each time it is shown (a dialog run again opens within the screen),
// centred over `over` when given (a part of the owner it belongs beside), else over its owner.
void fit_on_show(QWidget& window, const QWidget* over = nullptr);

}  // namespace teijinki::ui
