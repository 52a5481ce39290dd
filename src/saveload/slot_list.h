#pragma once
// The slots that exist in \save\, for the save/load screen's list: each slot's number, the
// preview the load question shows and when it was saved, newest first. Listing reads only the
// small slot files; the full check of a slot stays with the load.

#include <chrono>
#include <string>
#include <vector>

#include "world/game_folder.h"

namespace teijinki {

inline constexpr const char* kSlotDamaged = "（壊れています）";

struct SlotListEntry {
    std::string number;   // the digits after "save" ("" for save.ini)
    std::string preview;  // "シナリオ 1曹操 190年"; empty when damaged
    std::chrono::system_clock::time_point saved_at;  // when its slot file was written
    // Damaged: the slot file cannot be read or is not a whole slot file, or one of the copies
    // every slot holds is missing. problem names the file and the fault.
    bool damaged = false;
    std::string problem;
};

// Every slot file save<digits>.ini in \save\ (any letter case), newest first, then by number.
// A missing \save\ lists nothing.
std::vector<SlotListEntry> list_slots(const GameFolder& folder);

// "2024/05/01 12:34" in local time.
std::string saved_time_text(std::chrono::system_clock::time_point at);
// One line of the list: "save7　シナリオ 1曹操 190年　2024/05/01 12:34", with
// "（壊れています）" in place of the preview for a damaged slot.
std::string slot_list_row(const SlotListEntry& entry);

}  // namespace teijinki
