// Where the programs find the shipped data and which game folder they play in.

#include <gtest/gtest.h>

#include "test_support.h"
#include "world/data_location.h"
#include "world/error.h"

namespace teijinki::testing {
namespace {

namespace fs = std::filesystem;

// A small stand-in for the shipped data: the template table, a picture, an empty save folder.
void make_shipped(const fs::path& dir) {
    fs::create_directories(dir / "ini");
    fs::create_directories(dir / "CG");
    std::ofstream(dir / "ini" / "Text.ini") << "shipped text\r\n";
    std::ofstream(dir / "CG" / "kanu1.jpg") << "jpeg";
}

std::string read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(DataLocation, ShippedDataFromTheEnvironmentTheInstallPrefixOrTheBuiltInPlaces) {
    TempGameFolder tmp;
    const fs::path prefix = tmp.root() / "usr";
    const fs::path installed = prefix / "share" / "teijinki" / "data";
    const fs::path source = tmp.root() / "src-data";
    make_shipped(source);
    DataSearch search{"", prefix / "bin", {tmp.root() / "nowhere", source}};
    EXPECT_EQ(find_shipped_data(search), source) << "the first built-in place that holds the game";
    make_shipped(installed);
    EXPECT_EQ(find_shipped_data(search), installed.lexically_normal()) << "next to the installed program";
    search.env_data = "/opt/elsewhere";
    EXPECT_EQ(find_shipped_data(search), fs::path("/opt/elsewhere"));
    // Nothing anywhere: the first place tried, so a message can name it.
    DataSearch empty{"", tmp.root() / "bin", {tmp.root() / "nowhere"}};
    EXPECT_EQ(find_shipped_data(empty), (tmp.root() / "share" / "teijinki" / "data").lexically_normal());
}

TEST(DataLocation, UserFolderFollowsXdgDataHomeThenHome) {
    EXPECT_EQ(user_game_folder("/x/data", "/home/a"), fs::path("/x/data/teijinki"));
    EXPECT_EQ(user_game_folder("", "/home/a"), fs::path("/home/a/.local/share/teijinki"));
    EXPECT_EQ(user_game_folder("relative/data", "/home/a"), fs::path("/home/a/.local/share/teijinki"))
        << "a relative XDG_DATA_HOME is not valid";
    EXPECT_THROW(user_game_folder("", ""), DataError);
}

TEST(DataLocation, GameFolderIsTheArgumentThenAGameHereThenTheUserFolder) {
    TempGameFolder tmp;
    const fs::path shipped = tmp.root() / "shipped";
    make_shipped(shipped);
    const fs::path here = tmp.root() / "here";
    const fs::path user = tmp.root() / "user" / "teijinki";
    fs::create_directories(here);
    EXPECT_EQ(choose_game_folder(fs::path("/games/mine"), here, user, shipped), fs::path("/games/mine"));
    EXPECT_EQ(choose_game_folder(std::nullopt, here, user, shipped), user) << "nothing here";
    make_shipped(here);
    EXPECT_EQ(choose_game_folder(std::nullopt, here, user, shipped), here);
    EXPECT_EQ(choose_game_folder(fs::path(""), here, user, shipped), here) << "an empty argument is no argument";
    // The shipped data are never played in: passed over as the current directory, refused as
    // the argument.
    EXPECT_EQ(choose_game_folder(std::nullopt, shipped, user, shipped), user);
    EXPECT_THROW(choose_game_folder(shipped / "ini" / "..", here, user, shipped), DataError);
}

TEST(DataLocation, UserFolderIsFilledOnceAndThenReusedAsItIs) {
    TempGameFolder tmp;
    const fs::path shipped = tmp.root() / "shipped";
    make_shipped(shipped);
    fs::permissions(shipped / "ini" / "Text.ini", fs::perms::owner_read | fs::perms::group_read);
    for (const fs::path& p : {shipped, shipped / "ini"}) fs::permissions(p, fs::perms::owner_read | fs::perms::owner_exec);
    const fs::path user = tmp.root() / "xdg" / "teijinki";
    fill_game_folder(user, shipped);
    EXPECT_EQ(read(user / "ini" / "Text.ini"), "shipped text\r\n");
    EXPECT_EQ(read(user / "CG" / "kanu1.jpg"), "jpeg");
    EXPECT_TRUE(fs::is_directory(user / "save"));
    for (const fs::path& p : {user / "ini" / "Text.ini", user / "ini", user})
        EXPECT_NE(fs::status(p).permissions() & fs::perms::owner_write, fs::perms::none) << p << ": a read-only shipped copy";
    for (const auto& entry : fs::directory_iterator(user.parent_path()))
        EXPECT_EQ(entry.path(), user) << "no temporary folder left behind";

    // The player's game changes the folder; a second start leaves every file as the game left it.
    std::ofstream(user / "ini" / "Text.ini") << "edited";
    std::ofstream(user / "save" / "save1.ini") << "slot";
    fs::remove(user / "CG" / "kanu1.jpg");
    std::ofstream(shipped / "CG" / "new.jpg") << "new";
    fill_game_folder(user, shipped);
    EXPECT_EQ(read(user / "ini" / "Text.ini"), "edited");
    EXPECT_EQ(read(user / "save" / "save1.ini"), "slot");
    EXPECT_FALSE(fs::exists(user / "CG" / "kanu1.jpg"));
    EXPECT_FALSE(fs::exists(user / "CG" / "new.jpg"));
    EXPECT_EQ(read(shipped / "ini" / "Text.ini"), "shipped text\r\n") << "the shipped data are only read";
}

// teijinki-sim --dir game: a name without a folder in front lives in the current directory.
TEST(DataLocation, ARelativeNewFolderIsMadeInTheCurrentDirectory) {
    TempGameFolder tmp;
    const fs::path shipped = tmp.root() / "shipped";
    make_shipped(shipped);
    const fs::path before = fs::current_path();
    fs::current_path(tmp.root());
    for (const char* name : {"game", "game2/", "deep/er/game"}) {
        EXPECT_NO_THROW(fill_game_folder(name, shipped)) << name;
        EXPECT_EQ(read(tmp.root() / name / "ini" / "Text.ini"), "shipped text\r\n") << name;
    }
    fs::current_path(before);
}

TEST(DataLocation, AFolderWithoutAGameGetsWhatIsMissingAndKeepsWhatIsThere) {
    TempGameFolder tmp;
    const fs::path shipped = tmp.root() / "shipped";
    make_shipped(shipped);
    const fs::path dir = tmp.root() / "mine";
    fs::create_directories(dir / "CG");
    std::ofstream(dir / "CG" / "kanu1.jpg") << "my own picture";
    fill_game_folder(dir, shipped);
    EXPECT_EQ(read(dir / "ini" / "Text.ini"), "shipped text\r\n");
    EXPECT_EQ(read(dir / "CG" / "kanu1.jpg"), "my own picture");
}

TEST(DataLocation, MissingShippedDataIsNamedAndNothingIsMade) {
    TempGameFolder tmp;
    const fs::path dir = tmp.root() / "new";
    EXPECT_EQ(message_of([&] { fill_game_folder(dir, tmp.root() / "no-data"); }),
              "ini/Text.ini: missing from the data folder " + (tmp.root() / "no-data").string());
    EXPECT_FALSE(fs::exists(dir));
}

}  // namespace
}  // namespace teijinki::testing
