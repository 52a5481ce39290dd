// The shipped music: each piece in midi/ is a well-formed Standard MIDI File (format 1) that a
// sequencer can play from start to end, with several instruments, drums on channel 10 and at
// least a minute of music by its tempo map. The files are read by a small reader of this test's
// own, which is strict where players are lenient: a truncated chunk, a data byte without a
// status, a missing end-of-track or a note that is never released is a fault.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

struct SmfTrack {
    int notes = 0;                 // note-ons with a velocity above 0
    std::uint32_t end_tick = 0;    // tick of the end-of-track event
    std::set<int> note_channels;   // channels (1..16) that play notes
    std::set<int> programs;        // program numbers seen
    std::string name;
};

struct Smf {
    int format = 0;
    int division = 0;  // ticks per quarter note
    std::vector<SmfTrack> tracks;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> tempos;  // tick, microseconds per quarter
};

class SmfReader {
public:
    explicit SmfReader(const std::string& bytes) : b_(bytes) {}

    Smf read() {
        Smf smf;
        if (take(4) != "MThd") fail("no MThd header");
        const std::uint32_t header_len = u32();
        if (header_len < 6) fail("header chunk shorter than 6 bytes");
        smf.format = u16();
        const int ntracks = u16();
        const int division = u16();
        if (division & 0x8000) fail("SMPTE time division is not supported");
        if (division == 0) fail("time division is 0");
        smf.division = division;
        skip(header_len - 6);
        while (pos_ < b_.size()) {
            const std::string id = take(4);
            const std::uint32_t len = u32();
            if (len > b_.size() - pos_) fail("chunk " + id + " runs past the end of the file");
            if (id == "MTrk") {
                smf.tracks.push_back(read_track(pos_ + len, smf));
            } else {
                skip(len);  // unknown chunks are allowed and ignored
            }
        }
        if (static_cast<int>(smf.tracks.size()) != ntracks)
            fail("header announces " + std::to_string(ntracks) + " tracks, file holds " +
                 std::to_string(smf.tracks.size()));
        return smf;
    }

private:
    [[noreturn]] void fail(const std::string& why) const {
        throw std::runtime_error(why + " (at byte " + std::to_string(pos_) + ")");
    }
    std::uint8_t byte() {
        if (pos_ >= b_.size()) fail("unexpected end of data");
        return static_cast<std::uint8_t>(b_[pos_++]);
    }
    std::string take(std::size_t n) {
        if (n > b_.size() - pos_) fail("unexpected end of data");
        std::string s = b_.substr(pos_, n);
        pos_ += n;
        return s;
    }
    void skip(std::size_t n) { take(n); }
    std::uint32_t u16() { return (std::uint32_t{byte()} << 8) | byte(); }
    std::uint32_t u32() { return (u16() << 16) | u16(); }
    std::uint32_t varlen() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const std::uint8_t c = byte();
            value = (value << 7) | (c & 0x7F);
            if (!(c & 0x80)) return value;
        }
        fail("variable-length number longer than 4 bytes");
    }

    SmfTrack read_track(std::size_t end, Smf& smf) {
        SmfTrack track;
        std::uint32_t tick = 0;
        std::uint8_t running = 0;
        std::map<std::pair<int, int>, int> sounding;  // (channel, key) -> open note-ons
        bool ended = false;
        while (pos_ < end) {
            if (ended) fail("events after the end-of-track event");
            tick += varlen();
            std::uint8_t status = byte();
            if (status < 0x80) {
                if (!running) fail("data byte without a status byte");
                status = running;
                --pos_;  // that byte was the first data byte
            }
            if (status == 0xFF) {
                const std::uint8_t type = byte();
                const std::uint32_t len = varlen();
                if (len > end - pos_) fail("meta event runs past its chunk");
                const std::string data = take(len);
                if (type == 0x2F) {
                    if (len != 0) fail("end-of-track event with data");
                    ended = true;
                    track.end_tick = tick;
                } else if (type == 0x51) {
                    if (len != 3) fail("tempo event that is not 3 bytes");
                    const auto d = [&](int i) { return std::uint32_t{static_cast<std::uint8_t>(data[i])}; };
                    const std::uint32_t us = (d(0) << 16) | (d(1) << 8) | d(2);
                    if (us == 0) fail("tempo of 0 microseconds per quarter");
                    smf.tempos.emplace_back(tick, us);
                } else if (type == 0x03) {
                    track.name = data;
                }
                running = 0;  // meta and system messages cancel running status
                continue;
            }
            if (status == 0xF0 || status == 0xF7) {
                const std::uint32_t len = varlen();
                if (len > end - pos_) fail("system exclusive message runs past its chunk");
                skip(len);
                running = 0;
                continue;
            }
            if (status >= 0xF0) fail("system message " + std::to_string(status) + " in a file");
            running = status;
            const int kind = status & 0xF0;
            const int channel = (status & 0x0F) + 1;
            const std::uint8_t d1 = byte();
            std::uint8_t d2 = 0;
            if (kind != 0xC0 && kind != 0xD0) d2 = byte();
            if ((d1 | d2) & 0x80) fail("data byte above 127");
            if (kind == 0x90 && d2 > 0) {
                ++track.notes;
                track.note_channels.insert(channel);
                ++sounding[{channel, d1}];
            } else if (kind == 0x80 || kind == 0x90) {
                auto it = sounding.find({channel, d1});
                if (it == sounding.end() || it->second == 0) fail("note-off for a key that is not sounding");
                --it->second;
            } else if (kind == 0xC0) {
                track.programs.insert(d1);
            }
        }
        if (pos_ != end) fail("last event runs past its chunk");
        if (!ended) fail("track without an end-of-track event");
        for (const auto& [key, open] : sounding)
            if (open) fail("note " + std::to_string(key.second) + " on channel " + std::to_string(key.first) +
                           " is never released");
        return track;
    }

    const std::string& b_;
    std::size_t pos_ = 0;
};

Smf parse_smf(const std::string& bytes) { return SmfReader(bytes).read(); }

// Playing time up to the last end-of-track, following every tempo change (120 bpm until the first).
double seconds(const Smf& smf) {
    std::uint32_t end = 0;
    for (const auto& t : smf.tracks) end = std::max(end, t.end_tick);
    auto tempos = smf.tempos;
    std::stable_sort(tempos.begin(), tempos.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    double total = 0;
    std::uint32_t at = 0;
    std::uint32_t us = 500000;
    for (const auto& [tick, value] : tempos) {
        if (tick >= end) break;
        total += double(tick - at) * us / smf.division / 1e6;
        at = tick;
        us = value;
    }
    return total + double(end - at) * us / smf.division / 1e6;
}

// ---------------------------------------------------------------- the shipped pieces

std::string read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class ShippedMusicTest : public ::testing::TestWithParam<const char*> {};

TEST_P(ShippedMusicTest, IsAPlayableMultiTrackPieceOfAtLeastAMinute) {
    const auto path = std::filesystem::path(TEIJINKI_DATA_DIR) / "midi" / (std::string(GetParam()) + ".mid");
    ASSERT_TRUE(std::filesystem::is_regular_file(path)) << path << " is missing";
    Smf smf;
    try {
        smf = parse_smf(read_file(path));
    } catch (const std::runtime_error& e) {
        FAIL() << path << ": " << e.what();
    }
    EXPECT_EQ(smf.format, 1);
    ASSERT_FALSE(smf.tempos.empty()) << "no tempo event";
    EXPECT_EQ(smf.tempos.front().first, 0u) << "the first tempo should be set at the start";

    int tracks_with_notes = 0;
    std::set<int> channels;
    for (const auto& t : smf.tracks) {
        if (t.notes == 0) continue;
        ++tracks_with_notes;
        channels.insert(t.note_channels.begin(), t.note_channels.end());
        EXPECT_FALSE(t.name.empty()) << "an instrument track without a name";
        // Melodic tracks choose their instrument; the drum channel needs no program.
        if (t.note_channels != std::set<int>{10}) {
            EXPECT_FALSE(t.programs.empty()) << "track " << t.name << " has no program change";
        }
    }
    EXPECT_GE(tracks_with_notes, 3);
    EXPECT_GE(channels.size(), 4u) << "too few instruments";
    EXPECT_TRUE(channels.count(10)) << "no percussion on channel 10";
    EXPECT_GE(seconds(smf), 60.0);
    EXPECT_LT(seconds(smf), 600.0);
}

INSTANTIATE_TEST_SUITE_P(Pieces, ShippedMusicTest, ::testing::Values("french1", "china1", "Game01"));

}  // namespace
