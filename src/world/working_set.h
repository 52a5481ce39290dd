#pragma once
// The whole world in objects, as the message window holds it during one strategy phase:
// generals 0..200, warlords 0..20, provinces 0..50. Entry 0 of each is a placeholder.

#include <functional>
#include <string>

#include "world/game_folder.h"
#include "world/record_file.h"
#include "world/records.h"
#include "world/shared_values.h"
#include "world/table.h"

namespace teijinki {

struct WorkingSet {
    Table<Bushou, kMaxGenerals + 1> chr;
    Table<Gun, kMaxWarlords + 1> gun;
    Table<Kuni, kMaxProvinces + 1> kuni;
};

// The one way a working file's records are read, by the loaders below and by every screen: the
// records 1..count in file order, each handed to read with the file's label. A record missing or
// out of order, or an id past the table's limit, throws DataError naming the file and the record;
// records after count are not read.
// The records come from the folder's current records of the file (record_file.h), read again only
// when the file changed.
void read_records(const GameFolder& folder, const char* literal, RecordKind kind, int count, int limit,
                  const std::function<void(const RecordItems&, const std::string& label)>& read);

// Loaders: every record 1..count of the file into the objects.
void ld_Chr(const GameFolder& folder, const SharedValues& shared, WorkingSet& set);
void ld_Gun(const GameFolder& folder, const SharedValues& shared, WorkingSet& set);
// Every general's gunID = the warlord whose lord is the general's kunID (0 when none).
void ld_Chr2(const SharedValues& shared, WorkingSet& set);
void ld_Kuni(const GameFolder& folder, const SharedValues& shared, WorkingSet& set);
// ld_Chr, ld_Gun, ld_Chr2, ld_Kuni in this order.
void load_working_set(const GameFolder& folder, const SharedValues& shared, WorkingSet& set);

// Writers: each rewrites its file once with every record taken from the objects (a warlord's
// destroyed flag included; a general's jpg is kept as read).
void sv_Chr(const GameFolder& folder, const SharedValues& shared, const WorkingSet& set);
void sv_Gun(const GameFolder& folder, const SharedValues& shared, const WorkingSet& set);
void sv_Kuni(const GameFolder& folder, const SharedValues& shared, const WorkingSet& set);

}  // namespace teijinki
