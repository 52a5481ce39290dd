// teijinki-sim killed with SIGKILL at random moments of seeded games and saves: every working
// file, the log and the save slot must still read whole afterwards, and the slot must be wholly
// the old save or wholly the new one.

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <set>
#include <thread>

#include "fault_support.h"
#include "test_support.h"
#include "turn/seeded_games.h"

namespace teijinki::testing {
namespace {

using Clock = std::chrono::steady_clock;

struct SimRun {
    std::vector<std::string> args;
    std::string complete_slot;  // the slot this run leaves when it is not interrupted
    double ms = 0;              // how long it takes uninterrupted
};

TEST(KillTest, WorkingFilesLogAndSlotStayWholeWhenKilledAtRandomMoments) {
    ASSERT_TRUE(std::filesystem::exists(sim_program())) << sim_program() << " is not built";
    const std::filesystem::path data = TEIJINKI_DATA_DIR;

    TempGameFolder reference_dir;
    TempGameFolder game_dir;
    prepare_game_folder(data, reference_dir.root());
    prepare_game_folder(data, game_dir.root());
    const GameFolder reference(reference_dir.root());
    const GameFolder game(game_dir.root());

    // Two kinds of run: a new game saved at once (the save is a large part of it) and a new game
    // played for two years and then saved. Each is timed once uninterrupted, and its slot kept.
    std::vector<SimRun> runs = {
        {{"--dir", game_dir.root().string(), "--scenario", "1", "--seed", "7", "--quiet", "--years", "0", "--save", "1"}, {}, 0},
        {{"--dir", game_dir.root().string(), "--scenario", "4", "--seed", "8", "--players", "2", "--quiet", "--years", "2",
          "--save", "1"}, {}, 0},
    };
    for (SimRun& run : runs) {
        std::vector<std::string> args = run.args;
        args[1] = reference_dir.root().string();
        const auto start = Clock::now();
        ASSERT_EQ(run_sim(args), 0);
        run.ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        run.complete_slot = slot_bytes(reference, "1");
        ASSERT_FALSE(run.complete_slot.empty());
    }
    // The game folder starts with a whole game and an older save in slot 1.
    ASSERT_EQ(run_sim(runs[0].args), 0);
    std::string slot_before = slot_bytes(game, "1");
    ASSERT_EQ(slot_before, runs[0].complete_slot);

    std::mt19937 dice(20260);
    int killed = 0, finished = 0;
    for (int round = 0; round < 200; ++round) {
        const SimRun& run = runs[static_cast<std::size_t>(round % 2)];
        std::uniform_real_distribution<double> when(0.0, run.ms * 1.1);
        const auto delay = std::chrono::microseconds(static_cast<long long>(when(dice) * 1000.0));
        const pid_t pid = start_sim(run.args);
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(delay);
        ::kill(pid, SIGKILL);
        const int status = wait_sim(pid);
        if (status == 128 + SIGKILL) ++killed;
        else {
            ASSERT_EQ(status, 0) << "round " << round;
            ++finished;
        }

        for (const auto& p : folder_problems(game)) ADD_FAILURE() << "round " << round << " (killed after " << delay.count() << " us): " << p;
        // A save cut short is finished or cleaned away when the slot is next looked at.
        finish_interrupted_save(game, "1");
        EXPECT_NO_THROW(read_slot(game, "1")) << "round " << round;
        const std::string slot_after = slot_bytes(game, "1");
        EXPECT_TRUE(slot_after == slot_before || slot_after == run.complete_slot)
            << "round " << round << ": slot 1 is neither the old save nor the new one";
        slot_before = slot_after;
        if (HasFailure()) break;
    }
    // Enough of the rounds must really have been cut short for the test to mean something.
    EXPECT_GE(killed, 100) << "only " << killed << " of 200 runs were killed before they ended";
    // The folder still plays a whole game afterwards.
    EXPECT_EQ(run_sim(runs[1].args), 0);
    EXPECT_TRUE(folder_problems(game).empty());
    RecordProperty("killed", killed);
    RecordProperty("finished", finished);
}

}  // namespace
}  // namespace teijinki::testing
