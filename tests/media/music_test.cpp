// Music without a sound device: the player commands a piece sends, the structure check of MIDI
// files, the soundfont search, and the main screen's rule that a failing player is reported once.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "media/music_player.h"
#include "media/soundfont.h"
#include "setup/new_game.h"
#include "setup/scenarios.h"
#include "test_host.h"
#include "test_support.h"
#include "turn/main_state.h"
#include "turn/year_cycle.h"
#include "world/random.h"

namespace teijinki {
namespace {

using testing::ScriptedHost;
using testing::TempGameFolder;

// Records the commands it is sent; Open and Play fail when told to.
class RecordingPlayer : public MusicPlayer {
public:
    explicit RecordingPlayer(std::vector<std::string>& log) : log_(log) {}
    bool open(const std::filesystem::path& file) override {
        log_.push_back("Open " + file.filename().string());
        if (fail_open) error_ = "cannot open";
        return !fail_open;
    }
    bool play() override {
        log_.push_back("Play");
        if (fail_play) error_ = "no device";
        return !fail_play;
    }
    void close() override { log_.push_back("Close"); }
    const std::string& error() const override { return error_; }
    bool fail_open = false;
    bool fail_play = false;

private:
    std::vector<std::string>& log_;
    std::string error_;
};

// A sound format 1 file: a tempo track and one note.
std::string small_midi() {
    const std::string tempo_track("\x00\xFF\x51\x03\x07\xA1\x20\x00\xFF\x2F\x00", 11);
    const std::string note_track("\x00\x90\x3C\x64\x60\x80\x3C\x00\x00\xFF\x2F\x00", 12);
    auto chunk = [](const std::string& id, const std::string& body) {
        std::string out = id;
        const auto n = body.size();
        out += {char(n >> 24), char(n >> 16), char(n >> 8), char(n)};
        return out + body;
    };
    return chunk("MThd", std::string("\x00\x01\x00\x02\x01\xE0", 6)) + chunk("MTrk", tempo_track) + chunk("MTrk", note_track);
}

TEST(PieceMusic, EveryPieceIsClosedOpenedAndPlayedSoItStartsFromTheBeginning) {
    TempGameFolder dir;
    dir.write("midi/china1.mid", small_midi());
    dir.write("midi/GAME01.MID", small_midi());  // another letter case on disk
    std::vector<std::string> log;
    PieceMusic music(dir.folder(), std::make_unique<RecordingPlayer>(log));

    EXPECT_TRUE(music.play("china1"));
    EXPECT_TRUE(music.play("china1"));  // the same piece again restarts it
    EXPECT_TRUE(music.play("Game01"));
    music.stop();
    EXPECT_EQ(log, (std::vector<std::string>{"Close", "Close", "Open china1.mid", "Play", "Close", "Close",
                                             "Open china1.mid", "Play", "Close", "Close", "Open GAME01.MID", "Play",
                                             "Close"}));
    EXPECT_EQ(music.error(), "");
}

TEST(PieceMusic, AMissingFileABadNameOrAFailingPlayerIsReportedAndLeavesNothingOpen) {
    TempGameFolder dir;
    dir.write("midi/china1.mid", small_midi());
    std::vector<std::string> log;
    auto owned = std::make_unique<RecordingPlayer>(log);
    RecordingPlayer& player = *owned;
    PieceMusic music(dir.folder(), std::move(owned));

    EXPECT_FALSE(music.play("french1"));
    EXPECT_EQ(music.error(), "midi/french1.mid is missing");
    EXPECT_EQ(log, std::vector<std::string>{"Close"});

    for (const char* bad : {"", "../ini/Text", "a/b", "a\\b", "c:x"}) {
        log.clear();
        EXPECT_FALSE(music.play(bad)) << bad;
        EXPECT_NE(music.error().find("is not a piece name"), std::string::npos) << bad;
        EXPECT_EQ(log, std::vector<std::string>{"Close"}) << bad;
    }

    log.clear();
    player.fail_play = true;
    EXPECT_FALSE(music.play("china1"));
    EXPECT_EQ(music.error(), "no device");
    EXPECT_EQ(log.back(), "Close") << "a player that could not play is closed";

    log.clear();
    player.fail_open = true;
    EXPECT_FALSE(music.play("china1"));
    EXPECT_EQ(music.error(), "cannot open");
    EXPECT_EQ(log, (std::vector<std::string>{"Close", "Close", "Open china1.mid", "Close"}));
}

TEST(MidiCheck, SoundFilesPassAndEachKindOfDamageIsNamed) {
    const std::string good = small_midi();
    EXPECT_EQ(midi_file_problem(good), "");
    for (const char* piece : {"china1", "french1", "Game01"}) {
        const auto bytes = read_bytes(GameFolder(TEIJINKI_DATA_DIR).resolve(midi_literal(piece)));
        if (!bytes) continue;  // the shipped music has its own data test
        EXPECT_EQ(midi_file_problem(*bytes), "") << piece;
    }

    EXPECT_NE(midi_file_problem(""), "");
    EXPECT_NE(midi_file_problem("RIFF....WAVEfmt "), "");
    EXPECT_NE(midi_file_problem(good.substr(0, good.size() - 5)), "") << "cut short";
    EXPECT_NE(midi_file_problem(good.substr(0, 14)), "") << "header only";

    std::string no_end = good;
    no_end[no_end.size() - 2] = '\x01';  // FF 2F 00 becomes FF 01 00
    EXPECT_NE(midi_file_problem(no_end).find("end-of-track"), std::string::npos);

    std::string three = good;
    three[11] = 3;  // announces three tracks
    EXPECT_NE(midi_file_problem(three).find("announces 3 tracks but holds 2"), std::string::npos);

    std::string format0 = good;
    format0[9] = 0;  // format 0 with two tracks
    EXPECT_NE(midi_file_problem(format0), "");

    std::string huge = good;
    huge[4] = '\x7F';  // header length far past the end
    EXPECT_NE(midi_file_problem(huge), "");

    std::string no_division = good;
    no_division[12] = no_division[13] = 0;
    EXPECT_NE(midi_file_problem(no_division), "");
}

TEST(SoundfontSearch, TheSettingWinsAndAMistypedSettingIsNotHiddenByAnotherFont) {
    TempGameFolder dir;
    dir.write("ini/my.sf2", "RIFF");
    dir.write("ini/other.sf2", "RIFF");
    const std::vector<std::filesystem::path> places{dir.root() / "ini" / "other.sf2"};

    const auto chosen = find_soundfont((dir.root() / "ini" / "my.sf2").c_str(), places);
    ASSERT_TRUE(chosen.file);
    EXPECT_EQ(*chosen.file, dir.root() / "ini" / "my.sf2");

    const std::string missing = (dir.root() / "ini" / "nope.sf2").string();
    const auto wrong = find_soundfont(missing.c_str(), places);
    EXPECT_FALSE(wrong.file);
    EXPECT_NE(wrong.error.find(kSoundfontVariable), std::string::npos);
    EXPECT_NE(wrong.error.find(missing), std::string::npos);

    // An empty setting counts as unset.
    const auto unset = find_soundfont("", places);
    ASSERT_TRUE(unset.file);
    EXPECT_EQ(*unset.file, places[0]);
}

TEST(SoundfontSearch, PlacesAreTriedInOrderAndFoldersGiveTheirFirstSf2ByName) {
    TempGameFolder dir;
    std::filesystem::create_directories(dir.root() / "fonts" / "dir.sf2");  // a folder, not a font
    dir.write("fonts/zeta.sf2", "RIFF");
    dir.write("fonts/Alpha.SF2", "RIFF");
    dir.write("fonts/readme.txt", "x");
    std::filesystem::create_directories(dir.root() / "empty");
    dir.write("last.sf2", "RIFF");

    const std::vector<std::filesystem::path> places{dir.root() / "missing.sf2", dir.root() / "empty", dir.root() / "fonts",
                                                    dir.root() / "last.sf2"};
    const auto found = find_soundfont(nullptr, places);
    ASSERT_TRUE(found.file);
    EXPECT_EQ(found.file->filename(), "Alpha.SF2");

    const auto none = find_soundfont(nullptr, {dir.root() / "missing.sf2", dir.root() / "empty"});
    EXPECT_FALSE(none.file);
    EXPECT_NE(none.error.find("no General MIDI soundfont"), std::string::npos);

    const auto defaults = default_soundfont_places();
    ASSERT_EQ(defaults.size(), 4u);
    EXPECT_EQ(defaults[0], "/usr/share/sounds/sf2/TimGM6mb.sf2");  // the small one before FluidR3
    EXPECT_EQ(defaults[1], "/usr/share/sounds/sf2/FluidR3_GM.sf2");
}

// The main screen's stMusic over a host whose music may fail.
struct MusicScreen {
    MusicScreen() : folder(dir.folder()), rng(1), m(folder, shared, rng, host) {}
    TempGameFolder dir;
    GameFolder folder;
    SharedValues shared;
    SeededRandom rng;
    ScriptedHost host;
    MainState m;
    int failure_boxes() const {
        int n = 0;
        for (const auto& b : host.boxes) n += b.text == kMusicFailed && b.buttons == Buttons::Ok;
        return n;
    }
};

TEST(MainMusic, AFailingPlayerIsReportedOnceAndTheScreenGoesOnSilent) {
    MusicScreen s;
    s.host.music_works = false;
    stMusic(s.m, "china1");
    stMusic(s.m, "Game01");
    stMusic(s.m, "china1");
    EXPECT_EQ(s.failure_boxes(), 1);
    EXPECT_EQ(s.host.music, std::vector<std::string>{"china1"}) << "not tried again every year";
    EXPECT_TRUE(s.m.bgm_on) << "the switch keeps its value";
}

bool shipped_data_present() {
    const std::filesystem::path ini = std::filesystem::path(TEIJINKI_DATA_DIR) / "ini";
    for (const char* f : {"Text.ini", "Bushou1.ini", "Gunbatu1.ini", "Kuni1.ini", "Comment1.ini", "sei.ini", "mei.ini"})
        if (!std::filesystem::exists(ini / f)) return false;
    return true;
}

// A new game of scenario 1 with the first warlord played.
struct ShippedGame : MusicScreen {
    explicit ShippedGame(bool music_works) {
        host.music_works = music_works;
        dir.copy_shipped_ini();
        select_scenario(folder, shared, 1);
        const auto warlords = ld_Gnm_rtn(folder, shared);
        std::vector<bool> ticked(warlords.size(), false);
        ticked[0] = true;
        start_new_game_files(folder, shared, rng, warlords, ticked);
        shared.start_mode = 0;
        open_main(m);
    }
};

TEST(MainMusic, ThroughYearsOfPlayAFailingPlayerGivesOneBoxAndTheYearsGoOn) {
    if (!shipped_data_present()) GTEST_SKIP() << "the shipped scenario data is not in data/ini yet";
    ShippedGame g(false);
    for (int year = 0; year < 3; ++year) ASSERT_TRUE(auto_move(g.m));
    EXPECT_EQ(g.m.year, 192);
    EXPECT_EQ(g.failure_boxes(), 1);
    EXPECT_EQ(g.host.windows_in(kMsgStrategy).size(), 3u);
}

TEST(MainMusic, SwitchedOffYearChangesAndALoadWhoseFlagIsNotOnePlayNothing) {
    if (!shipped_data_present()) GTEST_SKIP() << "the shipped scenario data is not in data/ini yet";
    ShippedGame g(true);
    EXPECT_EQ(g.host.music, std::vector<std::string>{"china1"});
    g.m.bgm_on = false;  // what the menu switch leaves
    for (int year = 0; year < 2; ++year) ASSERT_TRUE(auto_move(g.m));
    EXPECT_EQ(g.host.music, std::vector<std::string>{"china1"});

    for (const int flag : {0, 2, -1, 1}) {
        SharedValues loaded;
        loaded.save_info[0] = g.m.year;
        loaded.save_info[4] = 1;
        loaded.save_info[5] = flag;
        loaded.player_lord = g.shared.player_lord;
        loaded.player_name = g.shared.player_name;
        loaded.player_gun = g.shared.player_gun;
        loaded.start_mode = 2;
        ScriptedHost host;
        SeededRandom rng(2);
        MainState m(g.folder, loaded, rng, host);
        open_main(m);
        EXPECT_EQ(m.bgm_on, flag == 1) << "flag " << flag;
        EXPECT_EQ(host.music, flag == 1 ? std::vector<std::string>{"china1"} : std::vector<std::string>{}) << "flag " << flag;
    }
}

}  // namespace
}  // namespace teijinki
