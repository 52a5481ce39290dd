// The record operations and the message window's loaders on a damaged working file: every
// operation either works or throws DataError naming the file; nothing else may happen.

#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "world/error.h"
#include "world/record_file.h"
#include "world/record_ops.h"
#include "world/working_set.h"

using namespace teijinki;

namespace {

const char* const kSound[3] = {
    ".1\r\n\"甲\"\r\n50,60,70,80\r\n40,30\r\n1,5\r\n\"a1\"\r\n.2\r\n\"乙\"\r\n1,2,3,4\r\n5,6\r\n1,2\r\n\"a2\"\r\n",
    ".1\r\n\"甲軍\"\r\n0,1,5,1,40,60,50,10\r\n\"FALSE\"\r\n.2\r\n\"乙軍\"\r\n0,2,3,0,30,50,40,0\r\n\"TRUE\"\r\n",
    ".1\r\n\"北\"\r\n1,5\r\n.2\r\n\"南\"\r\n2,3\r\n.3\r\n\"西\"\r\n0,9\r\n",
};
const char* const kFiles[3] = {"ini/busv.ini", "ini/gunsv.ini", "ini/Kunisv.ini"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const int damaged = fuzz::take(data, size, 3);
    const int target = fuzz::take(data, size, 6);
    fuzz::put_text_table();
    for (int k = 0; k < 3; ++k)
        fuzz::put(kFiles[k], k == damaged ? std::string_view(reinterpret_cast<const char*>(data), size) : kSound[k]);
    const GameFolder folder(fuzz::folder_root());
    SharedValues shared;
    shared.bushou_count = 3;
    shared.gun_count = 2;
    shared.kuni_count = 3;
    RecordOps ops(folder, shared);
    ops.target_id = target;
    auto attempt = [](auto&& step) {
        try {
            step();
        } catch (const DataError& e) {
            if (e.file().empty()) __builtin_trap();  // every data error names its file
        }
    };
    attempt([&] { ops.ld_Chr_rtn(); });
    attempt([&] { ops.ld_Gun_rtn(); });
    attempt([&] { ops.ld_Kuni_rtn(); });
    attempt([&] { ops.ld_kAbl_rtn(target); });
    attempt([&] { WorkingSet set; load_working_set(folder, shared, set); sv_Chr(folder, shared, set); sv_Gun(folder, shared, set); sv_Kuni(folder, shared, set); });
    attempt([&] { ops.mk_HeiFile_Master(); });
    return 0;
}
