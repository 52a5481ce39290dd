#pragma once
// Every window of the game opens inside the available area of its screen (the taskbar left
// out), at a size that fits, over the window it belongs to: a laptop screen or a large scale
// factor must never put a button out of reach.

#include <QMargins>
#include <QRect>
#include <QSize>

class QScrollArea;
class QWidget;

namespace teijinki::ui {

// A title bar and thin borders: the frame of a window whose frame the window system has not
// told yet.
inline const QMargins kUsualFrame(4, 30, 4, 4);

// The client geometry of a window that would like `wanted` (never less than `minimum`) and
// gets the window system's `frame` round it: no larger than `area` allows, centred over `over`
// (the area when `over` is empty), then moved so that its frame lies inside the area. Only a
// minimum larger than the area can leave the area, at its top left corner.
QRect fitted_geometry(QSize wanted, QSize minimum, QMargins frame, QRect area, QRect over);

// The available area of the screen the window's parent is on (its own screen without parent).
QRect available_area(const QWidget& window);

// A window's body (all but its row of buttons) that scrolls when the screen has no room for all
// of it; with room it asks for its whole size and shows neither bar nor frame. The buttons stay
// in reach on any screen.
QScrollArea* scroll_when_cramped(QWidget* body, QWidget* parent);

// The window fits itself each time it is shown (a dialog run again opens within the screen),
// centred over `over` when given (a part of the owner it belongs beside), else over its owner.
void fit_on_show(QWidget& window, const QWidget* over = nullptr);

}  // namespace teijinki::ui
