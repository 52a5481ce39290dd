// Music without a sound device: the player commands a piece sends, the structure check of MIDI
// files, the soundfont search, and the main screen's rule that a failing player is reported once.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "media/music_player.h"
#include "media/soundfont.h"
#include "setup/new_game.h"
#include "setup/scenarios.h"
#include "shipped_game.h"
#include "test_host.h"
#include "test_support.h"
#include "turn/command_menu.h"
#include "turn/main_state.h"
#include "turn/year_cycle.h"
#include "world/random.h"

namespace teijinki {
namespace {

using testing::ScriptedHost;
using testing::ShippedGame;
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

    for (const char* bad : {"", "..", "a/b", "a\\b", "c:x"}) {
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

    using namespace std::string_literals;
    auto with = [&good](std::size_t at, const std::string& bytes) { return good.substr(0, at) + bytes + good.substr(at + bytes.size()); };
    // One track of more than 64 KiB: its length fills three bytes.
    std::string long_track = good.substr(0, 14) + "MTrk\0\x01\0\x03"s + std::string(65536, '\0') + "\xFF\x2F\0"s;
    long_track[11] = 1;
    const std::pair<std::string, std::string> files[] = {
        {long_track, ""},
        {good + "XFIH\0\0\0\0"s, ""},  // an empty chunk of another kind, its header the file's last bytes
        {"", "not a standard MIDI file (no MThd header)"},
        {good.substr(0, 13), "not a standard MIDI file (no MThd header)"},
        {"RIFF....WAVEfmt ", "not a standard MIDI file (no MThd header)"},
        {with(4, "\x7F"), "the MIDI header chunk is damaged"},
        {with(7, "\x05"), "the MIDI header chunk is damaged"},
        {with(7, "\x07").substr(0, 14), "the MIDI header chunk is damaged"},  // one byte longer than the file
        {with(8, "\0\x03"s), "unknown MIDI file format 3"},
        {with(9, "\0"s), "a format 0 MIDI file with 2 tracks"},
        {with(10, "\0\0"s), "the MIDI file announces no track"},
        {with(10, "\0\x03"s), "the MIDI file announces 3 tracks but holds 2"},
        {with(10, "\x01\0"s), "the MIDI file announces 256 tracks but holds 2"},
        {with(12, "\0\0"s), "the MIDI file's time division is 0"},
        {good.substr(0, 14), "the MIDI file announces 2 tracks but holds 0"},  // a header that just fits
        {good.substr(0, 14) + "MTr", "the MIDI file ends inside a chunk header"},
        {good.substr(0, good.size() - 5), "MIDI chunk 2 runs past the end of the file"},
        {good.substr(0, 14) + "MTrk\x01\0\0\0"s + std::string(1 << 23, '\0'), "MIDI chunk 1 runs past the end of the file"},  // 16 MiB
        {with(good.size() - 2, "\x01"), "MIDI track 2 has no end-of-track event"},  // FF 2F 00 becomes FF 01 00
    };
    for (const auto& [bytes, problem] : files) EXPECT_EQ(midi_file_problem(bytes), problem) << bytes.size();
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
    EXPECT_FALSE(find_soundfont(dir.root().c_str(), places).file) << "a folder is no soundfont";

    // An empty setting counts as unset.
    const auto unset = find_soundfont("", places);
    ASSERT_TRUE(unset.file);
    EXPECT_EQ(*unset.file, places[0]);
}

TEST(SoundfontSearch, PlacesAreTriedInOrderAndFoldersGiveTheirFirstSf2ByName) {
    TempGameFolder dir;
    std::filesystem::create_directories(dir.root() / "fonts" / "Aaa.sf2");  // a folder, not a font
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

int failure_boxes(const ScriptedHost& host) {
    int n = 0;
    for (const auto& b : host.boxes) n += b.text == kMusicFailed && b.buttons == Buttons::Ok;
    return n;
}

TEST(MainMusic, AFailingPlayerIsReportedOnceAndTheScreenGoesOnSilent) {
    testing::MainScreen s;
    s.host.music_works = false;
    stMusic(s.m, "china1");
    stMusic(s.m, "Game01");
    stMusic(s.m, "china1");
    EXPECT_EQ(failure_boxes(s.host), 1);
    EXPECT_EQ(s.host.music, std::vector<std::string>{"china1"}) << "not tried again every year";
    EXPECT_TRUE(s.m.bgm_on) << "the switch keeps its value";
}

TEST(MainMusic, TheSwitchStopsOrRestartsChina1AndItsCaptionNamesTheNextClick) {
    testing::MainScreen s;
    s.m.bgm_on = true;
    EXPECT_STREQ(music_menu_caption(s.m), "BGM/OFF");
    cmdMusic_Click(s.m);
    EXPECT_STREQ(music_menu_caption(s.m), "BGM/ON");
    cmdMusic_Click(s.m);
    EXPECT_STREQ(music_menu_caption(s.m), "BGM/OFF");
    EXPECT_EQ(s.host.events, (std::vector<std::string>{"stop_music", "music:china1"}));
}

TEST(MainMusic, ThroughYearsOfPlayAFailingPlayerGivesOneBoxAndTheYearsGoOn) {
    ShippedGame g(1, {0}, 1, false);
    for (int year = 0; year < 3; ++year) ASSERT_TRUE(auto_move(g.m));
    EXPECT_EQ(g.m.year, 192);
    EXPECT_EQ(failure_boxes(g.host), 1);
    EXPECT_EQ(g.host.windows_in(kMsgStrategy).size(), 3u);
}

TEST(MainMusic, SwitchedOffYearChangesAndALoadWhoseFlagIsNotOnePlayNothing) {
    ShippedGame g(1, {0});
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
        EXPECT_EQ(std::count(host.events.begin(), host.events.end(), "stop_music"), flag == 1 ? 0 : 1) << "the title's piece stops";
    }
}

}  // namespace
}  // namespace teijinki
