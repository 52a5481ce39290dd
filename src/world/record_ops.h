#pragma once
// The record operations on the working files, with the buffers a screen keeps for them. Each
// screen that needs them owns one instance (the main screen's, a sheet's, …).

#include "world/game_folder.h"
#include "world/records.h"
#include "world/shared_values.h"

namespace teijinki {

class RecordOps {
public:
    RecordOps(const GameFolder& folder, SharedValues& shared) : folder_(folder), shared_(shared) {}

    // Current records.
    Bushou chr;
    Gun gun;
    Kuni kuni;
    // The id the next load or save looks for.
    int target_id = 0;
    Table<Int16, kMaxProvinces + 1> kuni_list;
    int kuni_list_count = 0;

    // Load record target_id into the current record. A record past the count gives the default
    // name ("何某", "", "某国"); a record not found leaves the buffer as it was.
    void ld_Chr_rtn();
    // Also tells whether the warlord is alive (true when not found).
    bool ld_Gun_rtn();
    void ld_Kuni_rtn();
    // kuni_list = the provinces owned by the warlord.
    void ld_kAbl_rtn(int warlord);
    // Every warlord's army = the sum of its provinces' troops, with one read of each file and one
    // rewrite.
    void mk_HeiFile_Master();

    const GameFolder& folder() const { return folder_; }
    SharedValues& shared() { return shared_; }

private:
    const GameFolder& folder_;
    SharedValues& shared_;
};

}  // namespace teijinki
