#pragma once
// Lists worked from the keyboard: Enter on a list does what a click on its current entry does.

#include <functional>

class QListWidget;
class QListWidgetItem;

namespace teijinki::ui {

// Enter (or Return) opens the list's current entry through `open`. The key goes no further, so
// it does not also press the window's default button (and close the window behind the sheet).
void open_with_enter(QListWidget& list, std::function<void(QListWidgetItem*)> open);

}  // namespace teijinki::ui
