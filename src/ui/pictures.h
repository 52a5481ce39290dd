#pragma once
// Pictures of the game folder's CG\ folder. A picture that cannot be loaded is an empty pixmap:
// the picture area stays blank and nothing is reported, as with every picture of the game.

#include <QPixmap>
#include <QSize>
#include <string>

#include "world/game_folder.h"

class QLabel;

namespace teijinki::ui {

// "CG\" + base + ".jpg"; an empty base gives an empty pixmap.
QPixmap load_cg(const GameFolder& folder, const std::string& base);

// Shows the picture scaled into the label's box (keeping its shape); without a picture the
// label is cleared and hidden, so no empty frame stands where a portrait would be.
void show_picture(QLabel* label, const QPixmap& picture, QSize box);

}  // namespace teijinki::ui
