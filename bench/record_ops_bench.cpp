// Prints the cost of each record operation on a new game's 170-general working set.
// Usage: record_ops_bench [game-data-folder] [repetitions]

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "setup/new_game.h"
#include "world/record_file.h"
#include "world/record_ops.h"
#include "world/working_set.h"

namespace fs = std::filesystem;
using namespace teijinki;

namespace {

double median_us(int repetitions, const std::function<void(int)>& work) {
    std::vector<double> times;
    times.reserve(static_cast<std::size_t>(repetitions));
    for (int i = 0; i < repetitions; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work(i);
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const fs::path data = argc > 1 ? fs::path(argv[1]) : fs::path(TEIJINKI_DATA_DIR);
    const int repetitions = argc > 2 ? std::atoi(argv[2]) : 500;
    const fs::path root = fs::temp_directory_path() / ("teijinki-bench-" + std::to_string(::getpid()));
    fs::create_directories(root / "save");
    fs::copy(data / "ini", root / "ini", fs::copy_options::recursive | fs::copy_options::overwrite_existing);

    const GameFolder folder(root);
    SharedValues shared;
    SeededRandom rng(1);
    try {
        select_scenario(folder, shared, 1);
        const auto warlords = ld_Gnm_rtn(folder, shared);
        std::vector<bool> ticked(warlords.size(), false);
        ticked[0] = true;
        start_new_game_files(folder, shared, rng, warlords, ticked);
        mk_Gunsv_rtn(folder, 1);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 2;
    }
    RecordOps ops(folder, shared);
    struct Row { const char* name; double us; const char* target; };
    std::vector<Row> rows;
    rows.push_back({"ld_Chr_rtn (one general)", median_us(repetitions, [&](int i) { ops.target_id = 1 + i % 170; ops.ld_Chr_rtn(); }), "< 20"});
    rows.push_back({"ld_Gun_rtn (one warlord)", median_us(repetitions, [&](int i) { ops.target_id = 1 + i % 13; ops.ld_Gun_rtn(); }), "< 20"});
    rows.push_back({"ld_Kuni_rtn (one province)", median_us(repetitions, [&](int i) { ops.target_id = 1 + i % 48; ops.ld_Kuni_rtn(); }), "< 20"});
    rows.push_back({"ld_kAbl_rtn", median_us(repetitions, [&](int i) { ops.ld_kAbl_rtn(1 + i % 13); }), ""});
    rows.push_back({"mk_HeiFile_Master", median_us(repetitions, [&](int) { ops.mk_HeiFile_Master(); }), "< 500"});
    WorkingSet set;
    rows.push_back({"load_working_set (all four)", median_us(repetitions, [&](int) { load_working_set(folder, shared, set); }), ""});
    rows.push_back({"sv_Chr + sv_Gun + sv_Kuni", median_us(repetitions, [&](int) {
                        sv_Chr(folder, shared, set);
                        sv_Gun(folder, shared, set);
                        sv_Kuni(folder, shared, set);
                    }), ""});

    std::printf("record operations on a 170-general working set, median of %d (microseconds)\n", repetitions);
    for (const auto& row : rows) std::printf("  %-40s %9.1f   %s\n", row.name, row.us, row.target);
    std::error_code ec;
    fs::remove_all(root, ec);
    return 0;
}
