#include "media/music_player.h"

#include <cstdint>

namespace teijinki {

std::string midi_literal(std::string_view piece) { return "\\midi\\" + std::string(piece) + ".mid"; }

bool play_from_start(MusicPlayer& player, const std::filesystem::path& file) {
    player.close();
    if (player.open(file) && player.play()) return true;
    player.close();
    return false;
}

PieceMusic::PieceMusic(GameFolder folder, std::unique_ptr<MusicPlayer> player)
    : folder_(std::move(folder)), player_(player ? std::move(player) : std::make_unique<NullMusicPlayer>()) {}

bool PieceMusic::play(std::string_view piece) {
    player_->close();
    error_.clear();
    // Pieces are named by the program, but a name must never lead out of midi\.
    if (piece.empty() || piece.find_first_of("/\\:") != std::string_view::npos || piece.find("..") != std::string_view::npos) {
        error_ = "\"" + std::string(piece) + "\" is not a piece name";
        return false;
    }
    const std::string literal = midi_literal(piece);
    const std::filesystem::path file = folder_.resolve(literal);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        error_ = GameFolder::display_name(literal) + " is missing";
        return false;
    }
    if (!play_from_start(*player_, file)) {
        error_ = player_->error();
        return false;
    }
    return true;
}

void PieceMusic::stop() { player_->close(); }

namespace {

std::uint32_t be32(std::string_view b, std::size_t at) {
    return (std::uint32_t(std::uint8_t(b[at])) << 24) | (std::uint32_t(std::uint8_t(b[at + 1])) << 16) |
           (std::uint32_t(std::uint8_t(b[at + 2])) << 8) | std::uint32_t(std::uint8_t(b[at + 3]));
}

unsigned be16(std::string_view b, std::size_t at) { return (unsigned(std::uint8_t(b[at])) << 8) | std::uint8_t(b[at + 1]); }

}  // namespace

std::string midi_file_problem(std::string_view bytes) {
    if (bytes.size() < 14 || bytes.substr(0, 4) != "MThd") return "not a standard MIDI file (no MThd header)";
    const std::uint32_t header_length = be32(bytes, 4);
    if (header_length < 6 || header_length > bytes.size() - 8) return "the MIDI header chunk is damaged";
    const unsigned format = be16(bytes, 8);
    const unsigned tracks = be16(bytes, 10);
    const unsigned division = be16(bytes, 12);
    if (format > 2) return "unknown MIDI file format " + std::to_string(format);
    if (tracks == 0) return "the MIDI file announces no track";
    if (format == 0 && tracks != 1) return "a format 0 MIDI file with " + std::to_string(tracks) + " tracks";
    if (division == 0) return "the MIDI file's time division is 0";

    std::size_t pos = 8 + header_length;
    unsigned found = 0;
    while (pos < bytes.size()) {
        if (bytes.size() - pos < 8) return "the MIDI file ends inside a chunk header";
        const std::string_view id = bytes.substr(pos, 4);
        const std::uint32_t length = be32(bytes, pos + 4);
        pos += 8;
        if (length > bytes.size() - pos) return "MIDI chunk " + std::to_string(found + 1) + " runs past the end of the file";
        if (id == "MTrk") {
            ++found;
            if (length < 3 || bytes.substr(pos + length - 3, 3) != std::string_view("\xFF\x2F\x00", 3))
                return "MIDI track " + std::to_string(found) + " has no end-of-track event";
        }
        pos += length;
    }
    if (found != tracks)
        return "the MIDI file announces " + std::to_string(tracks) + " tracks but holds " + std::to_string(found);
    return "";
}

}  // namespace teijinki
