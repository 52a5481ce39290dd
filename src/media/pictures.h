#pragma once
// Picture names shared by every screen that shows a portrait or a scene: the file of a name is
// "CG\" + name + ".jpg" in the game folder, found whatever the letter case of the file.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "world/game_folder.h"

namespace teijinki {

// "CG\" + name + ".jpg"; "" when the name is empty or could lead out of CG\ (a separator, a
// drive colon, ".."), since names come from data files the player may edit.
std::string picture_literal(std::string_view name);

// The picture file of a name when it exists; nullopt otherwise (the screen shows no picture).
std::optional<std::filesystem::path> picture_file(const GameFolder& folder, std::string_view name);

}  // namespace teijinki
