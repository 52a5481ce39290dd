// A game folder that turns read-only, a full disk and a file removed in the middle of a game: the
// year stops with one message naming the file, and every file that was there is kept as it was.

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <fstream>
#include <map>

#include "fault_support.h"
#include "messages/standings.h"
#include "test_support.h"
#include "turn/seeded_games.h"
#include "turn/year_cycle.h"
#include "setup/title_rules.h"
#include "world/random.h"

namespace teijinki::testing {
namespace {

namespace fs = std::filesystem;

// A small tmpfs mounted over a temporary folder, when this process may mount (root in CI).
class SmallDisk {
public:
    explicit SmallDisk(const std::string& size) {
        if (::geteuid() != 0) return;
        if (::mount("tmpfs", dir_.root().c_str(), "tmpfs", 0, ("size=" + size).c_str()) == 0) mounted_ = true;
    }
    ~SmallDisk() {
        if (mounted_) ::umount2(dir_.root().c_str(), MNT_DETACH);
    }
    bool mounted() const { return mounted_; }
    const fs::path& root() const { return dir_.root(); }
    bool remount_read_only() {
        return ::mount("tmpfs", dir_.root().c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    TempGameFolder dir_;
    bool mounted_ = false;
};

// Every file under a folder with its bytes, except the scratch copies, which nothing reads back.
std::map<std::string, std::string> snapshot(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        const std::string name = e.path().filename().string();
        if (name.find("img.") != std::string::npos || name == "kodarn.img") continue;
        if (e.is_regular_file()) files[fs::relative(e.path(), root).string()] = *read_bytes(e.path());
    }
    return files;
}

// A game of scenario 1 with warlord 1 played, one year in, in the folder.
struct GameInProgress {
    explicit GameInProgress(const fs::path& dir) : folder(dir), rng(11) {
        TitleRules title(folder, shared, rng, host);
        title.Form_Load();
        title.scenario_click(0);
        std::vector<bool> ticked(title.warlords.size(), false);
        ticked[0] = true;
        EXPECT_TRUE(title.new_game(ticked));
        main = std::make_unique<MainState>(folder, shared, rng, host);
        open_main(*main);
        EXPECT_TRUE(auto_move(*main));
    }
    GameFolder folder;
    SharedValues shared;
    SeededRandom rng;
    QuietHost host;
    std::unique_ptr<MainState> main;
};

// The next year must stop with a DataError naming a file, leaving the files as they were.
void expect_year_refused(GameInProgress& game, const fs::path& root, const std::string& file_hint) {
    const auto before = snapshot(root);
    try {
        auto_move(*game.main);
        ADD_FAILURE() << "the year went on";
    } catch (const DataError& e) {
        EXPECT_FALSE(e.file().empty());
        if (!file_hint.empty()) {
            EXPECT_NE(std::string(e.what()).find(file_hint), std::string::npos) << e.what();
        }
    }
    const auto after = snapshot(root);
    for (const auto& [name, bytes] : before) {
        auto it = after.find(name);
        EXPECT_TRUE(it != after.end() && it->second == bytes) << name << " was changed or lost";
    }
    for (const auto& [name, bytes] : after)
        EXPECT_TRUE(before.count(name)) << name << " appeared";
}

TEST(DiskFaultsTest, ReadOnlyFolderRefusesTheYearAndKeepsTheGame) {
    SmallDisk disk("8m");
    TempGameFolder plain;
    const fs::path root = disk.mounted() ? disk.root() : plain.root();
    if (!disk.mounted() && ::geteuid() == 0) GTEST_SKIP() << "running as root without permission to mount a tmpfs: a read-only folder cannot be made";
    prepare_game_folder(TEIJINKI_DATA_DIR, root);
    GameInProgress game(root);
    if (disk.mounted()) {
        ASSERT_TRUE(disk.remount_read_only());
    } else {
        fs::permissions(root / "ini", fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    }
    expect_year_refused(game, root, "");
    if (!disk.mounted()) fs::permissions(root / "ini", fs::perms::owner_write, fs::perm_options::add);
}

TEST(DiskFaultsTest, ReadOnlyFolderGivesTheSimulatorsMessageAndExitTwo) {
    SmallDisk disk("8m");
    if (!disk.mounted()) GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    prepare_game_folder(TEIJINKI_DATA_DIR, disk.root());
    ASSERT_EQ(run_sim({"--dir", disk.root().string(), "--seed", "3", "--quiet", "--years", "1", "--save", "4"}), 0);
    ASSERT_TRUE(disk.remount_read_only());
    const auto before = snapshot(disk.root());
    TempGameFolder err_dir;
    const std::string err = (err_dir.root() / "err.txt").string();
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--dir", disk.root().string(), "--seed", "3", "--quiet"},
             {"--dir", disk.root().string(), "--quiet", "--load", "4"}}) {
        EXPECT_EQ(run_sim(args, err), 2) << args.back();
        const std::string message = err_dir.read("err.txt");
        EXPECT_NE(message.find("ini/"), std::string::npos) << "the message names no file: " << message;
        EXPECT_NE(message.find("Read-only"), std::string::npos) << message;
    }
    EXPECT_EQ(snapshot(disk.root()), before);
}

TEST(DiskFaultsTest, FullDiskRefusesTheYearAndLosesNothing) {
    SmallDisk disk("2m");
    if (!disk.mounted()) GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    prepare_game_folder(TEIJINKI_DATA_DIR, disk.root());
    GameInProgress game(disk.root());
    {
        // Fill what is left of the disk.
        std::ofstream filler(disk.root() / "filler", std::ios::binary);
        const std::string block(4096, 'x');
        while (filler.write(block.data(), static_cast<std::streamsize>(block.size()))) filler.flush();
    }
    EXPECT_TRUE(folder_problems(game.folder).empty());
    // A year asks for 256 KB beside twice the working files, the log and the standings.
    unsigned long long bytes = 0;
    for (const char* f : {files::kGenerals, files::kWarlords, files::kProvinces, files::kLog, kStandingsFile})
        bytes += 2 * game.folder.file_size(f).value();
    expect_year_refused(game, disk.root(), "No space left on the disk: " + std::to_string(256 + bytes / 1024) + " KB are needed");
    EXPECT_TRUE(folder_problems(game.folder).empty());

    // With room again the same folder plays on from where it stood.
    fs::remove(disk.root() / "filler");
    GameInProgress fresh(disk.root());
    EXPECT_TRUE(auto_move(*fresh.main));
    EXPECT_TRUE(folder_problems(fresh.folder).empty());
}

// Room asked for ahead of a year's writes: exactly what is free is enough, a byte more is not.
TEST(DiskFaultsTest, TheRoomAskedForIsCheckedToTheByteAndReportedInKilobytes) {
    SmallDisk disk("1m");
    if (!disk.mounted()) GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    fs::create_directory(disk.root() / "ini");
    const GameFolder folder(disk.root());
    EXPECT_EQ(message_of([&] { folder.ensure_free_space("\\ini", 1048576); }), "");
    EXPECT_EQ(message_of([&] { folder.ensure_free_space("\\ini", 1026 * 1024); }),
              "ini: No space left on the disk: 1026 KB are needed, 1024 KB are free");
}

TEST(DiskFaultsTest, FileRemovedMidGameIsNamedAndTheOthersAreKept) {
    for (const char* literal : {files::kGenerals, files::kWarlords, files::kProvinces, files::kText}) {
        TempGameFolder dir;
        prepare_game_folder(TEIJINKI_DATA_DIR, dir.root());
        GameInProgress game(dir.root());
        fs::remove(game.folder.resolve(literal));
        const std::string name = GameFolder::display_name(literal);
        if (std::string(literal) == files::kText) {
            // The table was read when the game opened; the game goes on without it until a screen
            // needs it again, so only a new main screen notices.
            EXPECT_THROW(init_main(*game.main), DataError);
            continue;
        }
        expect_year_refused(game, dir.root(), name);
    }
}

}  // namespace
}  // namespace teijinki::testing
