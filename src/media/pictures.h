#pragma once
// Picture names shared by every screen that shows a portrait or a scene: the file of a name is
// "CG\" + name + ".jpg" in the game folder, found whatever the letter case of the file.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "world/game_folder.h"
#include "world/shared_values.h"
#include "world/table.h"

namespace teijinki {

// "CG\" + name + ".jpg"; "" when the name is empty or could lead out of CG\ (a separator, a
// drive colon, ".."), since names come from data files the player may edit.
std::string picture_literal(std::string_view name);

// The picture file of a name when it exists; nullopt otherwise (the screen shows no picture).
std::optional<std::filesystem::path> picture_file(const GameFolder& folder, std::string_view name);

using PortraitTable = Table<std::string, kMaxWarlords + 1>;

// The lords' portrait names by warlord id 1..gun_count, read with one pass over the warlord file
// and one over the general file. A lord that cannot be found (no record, or a record past
// bushou_count) gets the foot soldier "zouhyou1"; entry 0 and ids past the count stay "".
PortraitTable read_lord_portraits(const GameFolder& folder, const SharedValues& shared);
// One warlord's lord portrait, by the same rule (the warlord sheet).
std::string lord_portrait(const GameFolder& folder, const SharedValues& shared, int warlord);

}  // namespace teijinki
