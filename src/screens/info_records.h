#pragma once
// How the information screens read the working files: every record 1..count through the working
// set's reader, so a screen refuses a file that lacks a record (naming the file and the record)
// just as the year does, instead of showing a gap.

#include <functional>
#include <map>
#include <string>

#include "world/game_folder.h"
#include "world/records.h"
#include "world/shared_values.h"

namespace teijinki::info {

// Every general 1..bushou_count in file order.
void each_general(const GameFolder& folder, const SharedValues& shared,
                  const std::function<void(int id, const Bushou&)>& visit);
// Every warlord 1..gun_count in file order, with its destroyed line as written ("TRUE", "FALSE"
// or whatever else the file holds there).
void each_warlord(const GameFolder& folder, const SharedValues& shared,
                  const std::function<void(int id, const Gun&, const std::string& del_text)>& visit);
// Every province 1..kuni_count in file order.
void each_province(const GameFolder& folder, const SharedValues& shared,
                   const std::function<void(int id, const Kuni&)>& visit);

// The warlords' names by id.
std::map<int, std::string> warlord_names(const GameFolder& folder, const SharedValues& shared);
// names[id], or "" when there is none.
std::string name_or_empty(const std::map<int, std::string>& names, int id);

}  // namespace teijinki::info
