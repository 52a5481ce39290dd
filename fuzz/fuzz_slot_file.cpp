// The save slot file and its preview on any bytes, and the whole slot check on a slot whose one
// file is damaged. A slot file that parses must come back the same after being written again.

#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "saveload/save_slots.h"
#include "world/error.h"

using namespace teijinki;

namespace {

const char* const kRecords[4] = {
    ".1\r\n\"甲\"\r\n50,60,70,80\r\n40,30\r\n1,5\r\n\"a1\"\r\n",
    ".1\r\n\"甲軍\"\r\n0,1,5,1,40,60,50,10\r\n\"FALSE\"\r\n",
    ".1\r\n\"甲\"\r\n\"comment\"\r\n.\r\n",
    ".1\r\n\"北\"\r\n1,5\r\n",
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const int damaged = fuzz::take(data, size, 6);
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    try {
        const SlotFile slot = parse_slot_file(bytes, "save/save1.ini");
        (void)slot_preview(slot);
        const SlotFile again = parse_slot_file(format_slot_file(slot), "save/save1.ini");
        for (int i = 0; i < 6; ++i)
            if (again.save_info[i] != slot.save_info[i]) __builtin_trap();
        for (int k = 0; k < kSlotPlayers; ++k)
            if (again.players[k].name != slot.players[k].name || again.players[k].lord != slot.players[k].lord ||
                again.players[k].gun != slot.players[k].gun || again.players[k].mei != slot.players[k].mei)
                __builtin_trap();
    } catch (const DataError&) {
    }

    // The same bytes as one file of a whole slot.
    fuzz::put_text_table();
    SlotFile values;
    values.save_info[0] = 190;
    values.save_info[4] = 1;
    values.players[0].name = "甲軍";
    const std::string sound_slot = format_slot_file(values);
    const char* names[6] = {"save/busv1.ini", "save/gunsv1.ini", "save/Cmtsv1.ini", "save/Kunisv1.ini", "save/kdnlog1.log",
                            "save/save1.ini"};
    for (int k = 0; k < 6; ++k) {
        const std::string sound = k < 4 ? kRecords[k] : k == 4 ? std::string("鼎陣記の記録\r\nEOT=======\r\n") : sound_slot;
        fuzz::put(names[k], k == damaged ? bytes : sound);
    }
    try {
        const LoadedSlot loaded = read_slot(GameFolder(fuzz::folder_root()), "1");
        (void)slot_preview(loaded.slot);
    } catch (const DataError& e) {
        if (e.file().empty()) __builtin_trap();
    }
    return 0;
}
