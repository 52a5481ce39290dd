// The fluidsynth player without a sound device: the shipped pieces render to audible sound, a new
// Open starts from the beginning, Close silences, and every way of failing says what is wrong.

#include <fluidsynth.h>
#include <gtest/gtest.h>
#include <malloc.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "media/fluidsynth_player.h"
#include "media/music_player.h"
#include "media/soundfont.h"
#include "test_support.h"

namespace teijinki {
namespace {

using testing::TempGameFolder;

constexpr int kRate = 44100;

std::filesystem::path shipped_piece(const char* piece) { return GameFolder(TEIJINKI_DATA_DIR).resolve(midi_literal(piece)); }

FluidsynthOptions offline() {
    FluidsynthOptions o;
    o.drivers.clear();
    o.sample_rate = kRate;
    return o;
}

#define REQUIRE_SOUNDFONT()                                                        \
    if (!find_soundfont(nullptr, default_soundfont_places()).file)                 \
    GTEST_SKIP() << "no General MIDI soundfont installed (timgm6mb-soundfont or fluid-soundfont-gm)"

std::vector<std::int16_t> render_seconds(FluidsynthPlayer& player, double seconds) {
    std::vector<std::int16_t> samples(static_cast<std::size_t>(seconds * kRate) * 2);
    const int block = 512;
    for (std::size_t at = 0; at < samples.size(); at += block * 2) {
        const int frames = static_cast<int>(std::min<std::size_t>(block, (samples.size() - at) / 2));
        EXPECT_TRUE(player.render(samples.data() + at, frames));
    }
    return samples;
}

double rms(const std::vector<std::int16_t>& s) {
    double sum = 0;
    for (auto v : s) sum += double(v) * v;
    return s.empty() ? 0 : std::sqrt(sum / s.size());
}

TEST(FluidsynthPlayer, EveryShippedPieceRendersToSoundAndPlaysOnce) {
    REQUIRE_SOUNDFONT();
    FluidsynthOptions o = offline();
    FluidsynthPlayer player(o);
    for (const char* piece : {"china1", "french1", "Game01"}) {
        const auto file = shipped_piece(piece);
        if (!std::filesystem::exists(file)) {
            ADD_FAILURE() << "midi/" << piece << ".mid is not shipped";
            continue;
        }
        ASSERT_TRUE(play_from_start(player, file)) << piece << ": " << player.error();
        EXPECT_TRUE(player.playing()) << piece;
        EXPECT_EQ(player.driver(), "");
        const auto sound = render_seconds(player, 4.0);
        EXPECT_GT(rms(sound), 50.0) << piece << " renders silent";  // about -44 dBFS at the default gain
        int peak = 0;
        for (auto v : sound) peak = std::max(peak, std::abs(int(v)));
        EXPECT_LT(peak, 32767) << piece << " clips";
    }
    player.close();
    EXPECT_FALSE(player.playing());
}

// The loudness of each MIDI channel over the opening of a piece (first 16), then of one note
// struck on every channel with the program the piece chose for it (last 16): every program a
// piece uses, even one that enters late, is heard. With on_demand the synthesizer holds only the
// samples of the programs selected, as the player does.
std::array<double, 32> channel_loudness(const std::filesystem::path& soundfont, const std::filesystem::path& piece,
                                        bool on_demand) {
    fluid_settings_t* settings = new_fluid_settings();
    fluid_settings_setnum(settings, "synth.sample-rate", kRate);
    fluid_settings_setint(settings, "synth.lock-memory", 0);
    fluid_settings_setint(settings, "synth.dynamic-sample-loading", on_demand ? 1 : 0);
    fluid_settings_setint(settings, "synth.audio-groups", 16);  // one stereo output per channel
    fluid_settings_setint(settings, "synth.audio-channels", 16);
    fluid_synth_t* synth = new_fluid_synth(settings);
    EXPECT_NE(fluid_synth_sfload(synth, soundfont.c_str(), 1), FLUID_FAILED);
    fluid_player_t* sequence = new_fluid_player(synth);
    fluid_player_add(sequence, piece.c_str());
    fluid_player_play(sequence);
    std::array<double, 32> loudness{};
    std::vector<std::vector<float>> out(32, std::vector<float>(512));
    std::vector<float*> outs;
    for (auto& o : out) outs.push_back(o.data());
    auto render = [&](double seconds, std::size_t first) {
        for (int block = 0; block < int(seconds * kRate / 512); ++block) {
            for (auto& o : out) std::fill(o.begin(), o.end(), 0.0f);
            fluid_synth_process(synth, 512, 0, nullptr, 32, outs.data());
            for (std::size_t c = 0; c < 16; ++c)
                for (int k = 0; k < 512; ++k) loudness[first + c] += out[2 * c][k] * out[2 * c][k] + out[2 * c + 1][k] * out[2 * c + 1][k];
        }
    };
    render(6.0, 0);
    // The sequence goes first: a stopped one would still end the notes struck after it.
    fluid_player_stop(sequence);
    delete_fluid_player(sequence);
    fluid_synth_all_sounds_off(synth, -1);
    for (int c = 0; c < 16; ++c) fluid_synth_noteon(synth, c, c == 9 ? 38 : 60, 100);
    render(1.0, 16);
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    for (double& l : loudness) l = std::sqrt(l);
    return loudness;
}

TEST(FluidsynthPlayer, SamplesLoadedOnDemandLeaveNoProgramOfAPieceSilent) {
    REQUIRE_SOUNDFONT();
    const auto soundfont = *find_soundfont(nullptr, default_soundfont_places()).file;
    for (const char* piece : {"china1", "french1", "Game01"}) {
        const auto whole = channel_loudness(soundfont, shipped_piece(piece), false);
        const auto on_demand = channel_loudness(soundfont, shipped_piece(piece), true);
        int sounding = 0;
        for (std::size_t k = 0; k < whole.size(); ++k) {
            EXPECT_NEAR(on_demand[k], whole[k], 0.02 * whole[k] + 1e-6) << piece << (k < 16 ? " channel " : " note on channel ") << k % 16;
            sounding += k < 16 && whole[k] > 0.1;
        }
        EXPECT_GE(sounding, 3) << piece << ": the opening should have several parts";
        for (std::size_t c = 16; c < 32; ++c) EXPECT_GT(on_demand[c], 0.05) << piece << ": channel " << c - 16 << " is silent";
    }
}

// Loudness in 50 ms steps: the shape of a passage, which stays the same when the piece is played
// again even though the chorus and the block timing make the samples themselves differ.
std::vector<double> loudness(const std::vector<std::int16_t>& s) {
    std::vector<double> out;
    const std::size_t step = kRate / 20 * 2;
    for (std::size_t at = 0; at + step <= s.size(); at += step)
        out.push_back(rms(std::vector<std::int16_t>(s.begin() + long(at), s.begin() + long(at + step))));
    return out;
}

double correlation(const std::vector<double>& a, const std::vector<double>& b) {
    double ma = 0, mb = 0;
    for (std::size_t i = 0; i < a.size(); ++i) ma += a[i], mb += b[i];
    ma /= double(a.size());
    mb /= double(b.size());
    double d = 0, x = 0, y = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        d += (a[i] - ma) * (b[i] - mb);
        x += (a[i] - ma) * (a[i] - ma);
        y += (b[i] - mb) * (b[i] - mb);
    }
    return d / std::sqrt(x * y);
}

TEST(FluidsynthPlayer, EachOpenStartsTheSequenceFromItsBeginningAndCloseSilences) {
    REQUIRE_SOUNDFONT();
    FluidsynthPlayer player(offline());
    const auto file = shipped_piece("china1");
    ASSERT_TRUE(std::filesystem::exists(file));
    ASSERT_TRUE(play_from_start(player, file)) << player.error();
    const auto first = loudness(render_seconds(player, 3.0));
    const auto continued = loudness(render_seconds(player, 3.0));
    ASSERT_TRUE(play_from_start(player, file)) << player.error();
    const auto again = loudness(render_seconds(player, 3.0));
    EXPECT_GT(correlation(first, again), 0.9) << "a new Open does not restart the piece";
    EXPECT_LT(correlation(first, continued), 0.5) << "the check cannot tell the opening from what follows";

    player.close();
    EXPECT_FALSE(player.playing());
    render_seconds(player, 0.5);  // the reverberation dies away
    EXPECT_LT(rms(render_seconds(player, 0.5)), 5.0) << "voices still sound after Close";
    std::int16_t none[2] = {};
    EXPECT_EQ(std::make_pair(player.render(none, 0), player.render(none, -1)), std::make_pair(true, false));
}

TEST(FluidsynthPlayer, FailuresNameTheirCause) {
    TempGameFolder dir;
    {
        FluidsynthOptions o = offline();
        o.soundfont = dir.root() / "none.sf2";
        FluidsynthPlayer player(o);
        const auto file = shipped_piece("china1");
        ASSERT_TRUE(std::filesystem::exists(file));
        EXPECT_FALSE(player.open(file));
        // fluidsynth's own word on it follows in brackets.
        const std::string told = "the soundfont " + o.soundfont->string() + " cannot be loaded (";
        EXPECT_EQ(player.error().substr(0, told.size()), told);
        EXPECT_TRUE(player.error().size() > told.size() + 1 && player.error().ends_with(")")) << player.error();
        EXPECT_FALSE(player.play()) << "nothing is open";
        // A failed load keeps no synthesizer (some 3 MB each): ten more leave the heap as it was.
        const auto before = static_cast<long long>(mallinfo2().uordblks);
        for (int i = 0; i < 10; ++i) player.open(file);
        EXPECT_LT(static_cast<long long>(mallinfo2().uordblks) - before, 8 << 20);
    }
    {
        dir.write("midi/bad.mid", "MThd but nothing else");
        FluidsynthPlayer player(offline());
        EXPECT_FALSE(player.open(dir.root() / "midi" / "bad.mid"));
        EXPECT_EQ(player.error(), "bad.mid: the MIDI header chunk is damaged");
        EXPECT_FALSE(player.open(dir.root() / "midi" / "absent.mid"));
        EXPECT_EQ(player.error(), "absent.mid cannot be read");
        ::setenv(kSoundfontVariable, "/no/such.sf2", 1);  // a mistyped setting, no font in the options
        EXPECT_FALSE(player.open(shipped_piece("china1")));
        ::unsetenv(kSoundfontVariable);
        EXPECT_EQ(player.error(), std::string(kSoundfontVariable) + " names /no/such.sf2, which is not a readable file");
    }
    {
        REQUIRE_SOUNDFONT();
        FluidsynthOptions o = offline();
        o.drivers = {"no-such-driver", "nor-this"};  // a machine whose sound device cannot be opened
        FluidsynthPlayer player(o);
        EXPECT_FALSE(play_from_start(player, shipped_piece("china1")));
        EXPECT_EQ(player.error().rfind("no sound device could be opened (tried no-such-driver, nor-this)", 0), 0u)
            << player.error();
        EXPECT_FALSE(player.playing());
        EXPECT_TRUE(player.open(shipped_piece("china1")));  // opening needs no device
        EXPECT_EQ(player.error(), "");
        // A device that opens (the file writer, into the test's folder) after one that does not.
        const auto cwd = std::filesystem::current_path();
        std::filesystem::current_path(dir.root());
        o.drivers = {"nor-this", "file", "nor-that"};
        FluidsynthPlayer writer(o);
        EXPECT_TRUE(play_from_start(writer, shipped_piece("china1"))) << writer.error();
        std::int16_t frame[2];
        EXPECT_EQ(std::make_pair(writer.driver(), writer.render(frame, 1)), std::make_pair(std::string("file"), false));
        writer.close();
        EXPECT_EQ(std::make_pair(writer.driver(), writer.render(frame, 1)), std::make_pair(std::string(), true));
        std::filesystem::current_path(cwd);
    }
}

}  // namespace
}  // namespace teijinki
