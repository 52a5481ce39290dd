#include "saveload/save_slots.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "messages/game_log.h"
#include "messages/standings.h"
#include "setup/scenarios.h"
#include "world/error.h"
#include "world/list_io.h"
#include "world/record_file.h"

namespace fs = std::filesystem;

namespace teijinki {

const std::array<SlotCopy, kSlotCopyCount> kSlotCopies = {{
    {files::kGenerals, "busv", ".ini", false},
    {files::kWarlords, "gunsv", ".ini", false},
    {files::kComments, "Cmtsv", ".ini", false},
    {files::kProvinces, "Kunisv", ".ini", false},
    {files::kLog, "kdnlog", ".log", false},
    {kStandingsFile, "standings", ".csv", true},
}};

namespace {

constexpr const char* kTempSuffix = ".new";

std::string with_temp(std::string literal) { return literal + kTempSuffix; }

// Flushes a file or a folder to the disk, so that a rename that follows cannot reach the disk
// before the data it names.
void sync_path(const fs::path& path, bool directory) {
    const int fd = ::open(path.c_str(), (directory ? O_RDONLY | O_DIRECTORY : O_RDONLY) | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

void rename_or_throw(const fs::path& from, const fs::path& to, const std::string& label) {
    if (::rename(from.c_str(), to.c_str()) != 0)
        throw DataError(label, std::string("cannot be put in place: ") + std::strerror(errno));
}

bool path_exists(const fs::path& path) {
    std::error_code ec;
    return fs::exists(path, ec);
}

std::vector<std::int16_t> numbers_of_line(const std::string& line, std::size_t count, const std::string& label,
                                          const std::string& what) {
    const std::vector<std::string> items = split_items(line);
    if (items.size() != count)
        throw DataError(label, what + ": " + std::to_string(count) + " numbers expected, found \"" + line + "\"");
    std::vector<std::int16_t> out;
    for (const auto& item : items) {
        std::int16_t v = 0;
        if (item.empty() || !parse_number(item, v))
            throw DataError(label, what + ": \"" + item + "\" is not a number");
        out.push_back(v);
    }
    return out;
}


// A chronicle ends with its terminator line after every entry; a new game's is its heading
// alone, and a game whose log went missing is saved with an empty one. Anything else was cut off.
void check_log(std::string_view text, const std::string& label) {
    const std::vector<std::string> lines = split_lines(text);
    if (lines.empty() || lines.back() == kLogEnd) return;
    if (lines.size() == 1 && lines[0] == kLogHeading) return;
    throw DataError(label, std::string("the chronicle does not end with its \"") + kLogEnd + "\" line (the file is cut off)");
}

}  // namespace

std::string slot_copy_literal(const SlotCopy& copy, std::string_view slot) {
    return std::string("\\save\\") + copy.prefix + std::string(slot) + copy.suffix;
}

std::string slot_file_literal(std::string_view slot) { return "\\save\\save" + std::string(slot) + ".ini"; }

std::string slot_number_problem(std::string_view slot) {
    for (char c : slot)
        if (c < '0' || c > '9') return "セーブ番号には数字だけを使えます（「" + std::string(slot) + "」）";
    if (slot.size() > kMaxSlotDigits)
        return "セーブ番号が長すぎます（" + Digits(static_cast<long long>(slot.size())) + "桁。" +
               Digits(static_cast<long long>(kMaxSlotDigits)) + "桁までです）";
    return {};
}

std::string format_slot_file(const SlotFile& slot) {
    ListWriter out;
    out.raw_line(kSlotHeading);
    for (int i = 0; i < 6; ++i) out.number(slot.save_info[i]);
    out.end_line();
    for (int k = 0; k < kSlotPlayers; ++k) {
        const SlotFile::Player& p = slot.players[k];
        // A line break inside a name would shift every line after it.
        std::string name;
        for (char c : p.name)
            if (c != '\r' && c != '\n') name += c;
        out.raw_line(name);
        out.number(p.lord).end_line();
        out.number(p.gun).number(p.mei).end_line();
    }
    return out.take();
}

SlotFile parse_slot_file(std::string_view text, const std::string& label) {
    const std::vector<std::string> lines = split_lines(text);
    std::size_t next = 0;
    auto take = [&](const std::string& what) -> const std::string& {
        if (next >= lines.size()) throw DataError(label, "ends before " + what + " (the slot file is incomplete)");
        return lines[next++];
    };
    if (take("its heading") != kSlotHeading) throw DataError(label, std::string("does not begin with \"") + kSlotHeading + "\"");
    SlotFile slot;
    const auto header = numbers_of_line(take("the six header values"), 6, label, "header line");
    for (int i = 0; i < 6; ++i) slot.save_info[i] = header[static_cast<std::size_t>(i)];
    for (int k = 0; k < kSlotPlayers; ++k) {
        const std::string who = "player slot " + std::to_string(k);
        SlotFile::Player& p = slot.players[k];
        p.name = take("the name of " + who);
        p.lord = numbers_of_line(take("the lord of " + who), 1, label, who + " lord")[0];
        const auto gm = numbers_of_line(take("the warlord and alliance of " + who), 2, label, who + " warlord and alliance");
        p.gun = gm[0];
        p.mei = gm[1];
    }
    return slot;
}

SlotFile slot_from_shared(const SharedValues& shared) {
    SlotFile slot;
    for (int i = 0; i < 6; ++i) slot.save_info[i] = shared.save_info[i];
    for (int k = 0; k < kSlotPlayers; ++k) {
        slot.players[k].name = shared.player_name[k];
        slot.players[k].lord = shared.player_lord[k];
        slot.players[k].gun = shared.player_gun[k];
        slot.players[k].mei = shared.player_mei[k];
    }
    return slot;
}

void slot_to_shared(const SlotFile& slot, SharedValues& shared) {
    for (int i = 0; i < 6; ++i) shared.save_info[i] = slot.save_info[i];
    // The counts follow the slot's scenario at once: the first reads of the loaded game come
    // before the year start sets them, and must not use the counts the title screen left.
    if (const Scenario* s = find_scenario(slot.save_info[4])) {
        shared.scenario_no = s->no;
        shared.gun_count = s->gun_count;
        shared.bushou_count = kGeneralsInGame;
    }
    for (int k = 0; k < kSlotPlayers; ++k) {
        shared.player_name[k] = slot.players[k].name;
        shared.player_lord[k] = slot.players[k].lord;
        shared.player_gun[k] = slot.players[k].gun;
        shared.player_mei[k] = slot.players[k].mei;
    }
}

std::string slot_preview(const SlotFile& slot) {
    std::string first_name;
    for (int k = 0; k < kPreviewPlayers; ++k) {
        if (!slot.players[k].name.empty()) {
            first_name = slot.players[k].name;
            break;
        }
    }
    return "シナリオ" + Str(static_cast<int>(slot.save_info[4])) + first_name + Str(static_cast<int>(slot.save_info[0])) + "年";
}

LoadedSlot read_slot(const GameFolder& folder, std::string_view slot) {
    if (const std::string problem = slot_number_problem(slot); !problem.empty())
        throw DataError(GameFolder::display_name(slot_file_literal(slot.substr(0, 20))), problem);
    finish_interrupted_save(folder, slot);

    LoadedSlot loaded;
    const std::string slot_literal = slot_file_literal(slot);
    const std::string slot_label = GameFolder::display_name(slot_literal);
    auto read_raw = [&](const std::string& literal) {
        const std::string label = GameFolder::display_name(literal);
        auto bytes = read_bytes(folder.resolve(literal));
        if (!bytes) throw DataError(label, path_exists(folder.resolve(literal)) ? "cannot be read" : "file not found");
        return *bytes;
    };
    // The slot file first: it is what the player asked for, and its absence is the usual case.
    loaded.slot = parse_slot_file(decode_text(read_raw(slot_literal), slot_label), slot_label);
    const Scenario* scenario = find_scenario(loaded.slot.save_info[4]);
    if (!scenario)
        throw DataError(slot_label, "names scenario " + std::to_string(loaded.slot.save_info[4]) + ", not one of 1 to 6");

    for (std::size_t i = 0; i < kSlotCopies.size(); ++i) {
        const SlotCopy& copy = kSlotCopies.at(i);
        const std::string literal = slot_copy_literal(copy, slot);
        const std::string label = GameFolder::display_name(literal);
        if (copy.optional) {
            // Empty standings when the slot has none or a damaged copy: the game loads all the same.
            if (!folder.exists(literal)) continue;
            try {
                std::string bytes = read_raw(literal);
                parse_standings(decode_text(bytes, label), label);
                loaded.copies[i] = std::move(bytes);
            } catch (const DataError& e) {
                loaded.standings_problem = e.what();
            }
            continue;
        }
        loaded.copies[i] = read_raw(literal);
        const std::string text = decode_text(loaded.copies[i], label);
        // The counts too: a file cut at a record boundary is whole record by record, yet lacks
        // records the loaded game reads.
        if (copy.working == std::string_view(files::kGenerals))
            check_record_set(text, RecordKind::General, label, kGeneralsInGame);
        else if (copy.working == std::string_view(files::kWarlords))
            check_record_set(text, RecordKind::Warlord, label, scenario->gun_count);
        else if (copy.working == std::string_view(files::kProvinces))
            check_record_set(text, RecordKind::Province, label, kProvincesInGame);
        else if (copy.working == std::string_view(files::kComments))
            check_comment_set(text, label);
        else if (copy.working == std::string_view(files::kLog))
            check_log(text, label);
    }
    return loaded;
}

void write_file_replacing(const fs::path& target, std::string_view bytes, const std::string& label) {
    write_bytes_atomic(target, bytes, label);
}

void write_slot(const GameFolder& folder, std::string_view slot, const SlotFile& values) {
    if (const std::string problem = slot_number_problem(slot); !problem.empty())
        throw DataError(GameFolder::display_name(slot_file_literal(slot.substr(0, 20))), problem);
    const fs::path save_dir = folder.resolve("\\save");
    std::error_code ec;
    if (!fs::is_directory(save_dir, ec)) {
        fs::create_directories(save_dir, ec);
        if (ec) throw DataError("save", "the folder cannot be made: " + ec.message());
    }
    finish_interrupted_save(folder, slot);

    // Everything is read before anything is written, so a missing working file costs nothing.
    std::array<std::string, kSlotCopyCount> bytes;
    for (std::size_t i = 0; i < kSlotCopies.size(); ++i) {
        const char* working = kSlotCopies[i].working;
        auto content = read_bytes(folder.resolve(working));
        // The log and the standings are not the game: a game that lost them is still saved,
        // with empty ones that the next year starts again.
        if (!content && !kSlotCopies[i].optional && working != std::string_view(files::kLog))
            throw DataError(GameFolder::display_name(working),
                            path_exists(folder.resolve(working)) ? "cannot be read" : "file not found");
        bytes[i] = std::move(content).value_or(std::string());
    }

    // 1. Every file under a temporary name, the slot file last: once it exists, the copies
    //    beside it are complete.
    const std::string slot_literal = slot_file_literal(slot);
    const std::string slot_label = GameFolder::display_name(slot_literal);
    const fs::path slot_path = folder.resolve(slot_literal);
    const fs::path slot_temp = folder.resolve(with_temp(slot_literal));
    try {
        for (std::size_t i = 0; i < kSlotCopies.size(); ++i) {
            const std::string literal = slot_copy_literal(kSlotCopies[i], slot);
            const fs::path temp = folder.resolve(with_temp(literal));
            write_bytes_atomic(temp, bytes[i], GameFolder::display_name(literal));
            sync_path(temp, false);
        }
        write_bytes_atomic(slot_temp, folder.encode(format_slot_file(values)), slot_label);
        sync_path(slot_temp, false);
        sync_path(save_dir, true);
    } catch (...) {
        // Nothing of the slot was touched yet; the half-made temporary files go.
        finish_interrupted_save(folder, slot);
        throw;
    }

    // 2. The old slot file goes: from here on the slot is the new one, finished by the renames
    //    below or, after a crash, by finish_interrupted_save.
    if (::unlink(slot_path.c_str()) != 0 && errno != ENOENT)
        throw DataError(slot_label, std::string("cannot be replaced: ") + std::strerror(errno));
    sync_path(save_dir, true);
    finish_interrupted_save(folder, slot);
    if (!path_exists(slot_path)) throw DataError(slot_label, "was not put in place");
}

void finish_interrupted_save(const GameFolder& folder, std::string_view slot) {
    if (!slot_number_problem(slot).empty()) return;
    const std::string slot_literal = slot_file_literal(slot);
    const fs::path slot_path = folder.resolve(slot_literal);
    const fs::path slot_temp = folder.resolve(with_temp(slot_literal));
    const bool slot_present = path_exists(slot_path);
    const bool temp_present = path_exists(slot_temp);
    if (!slot_present && temp_present) {
        // The save had passed the point of no return: every temporary file is whole.
        for (const SlotCopy& copy : kSlotCopies) {
            const std::string literal = slot_copy_literal(copy, slot);
            const fs::path temp = folder.resolve(with_temp(literal));
            if (path_exists(temp)) rename_or_throw(temp, folder.resolve(literal), GameFolder::display_name(literal));
        }
        sync_path(folder.resolve("\\save"), true);
        rename_or_throw(slot_temp, slot_path, GameFolder::display_name(slot_literal));
        sync_path(folder.resolve("\\save"), true);
        return;
    }
    // A save that stopped before that point: its temporary files are not part of any slot.
    std::error_code ec;
    for (const SlotCopy& copy : kSlotCopies) fs::remove(folder.resolve(with_temp(slot_copy_literal(copy, slot))), ec);
    fs::remove(slot_temp, ec);
}

void restore_working_files(const GameFolder& folder, const LoadedSlot& loaded, const FileWriter& writer) {
    struct Before {
        fs::path path;
        std::optional<std::string> bytes;  // nullopt: the file did not exist
    };
    std::vector<Before> before;
    for (const SlotCopy& copy : kSlotCopies) {
        const fs::path path = folder.resolve(copy.working);
        before.push_back({path, read_bytes(path)});
        if (!before.back().bytes && path_exists(path))
            throw DataError(GameFolder::display_name(copy.working), "cannot be read, so the load did not begin");
    }
    std::size_t written = 0;
    try {
        for (; written < kSlotCopies.size(); ++written) {
            const char* working = kSlotCopies[written].working;
            writer(before[written].path, loaded.copies[written], GameFolder::display_name(working));
        }
    } catch (const std::exception& e) {
        // Put back every file the load may have touched, the failed one included, through the
        // same writer. A file counts as not put back only when its bytes still differ afterwards:
        // on a full disk the failed write usually left its file whole, and so may a failed put-back.
        std::string not_restored;
        for (std::size_t i = 0; i <= written; ++i) {  // written names the failed file, within the table
            const std::string label = GameFolder::display_name(kSlotCopies[i].working);
            if (read_bytes(before[i].path) == before[i].bytes) continue;
            try {
                if (before[i].bytes) {
                    writer(before[i].path, *before[i].bytes, label);
                } else {
                    std::error_code ec;
                    fs::remove(before[i].path, ec);
                }
            } catch (const std::exception&) {
                // Judged by the bytes below.
            }
            if (read_bytes(before[i].path) != before[i].bytes) not_restored += (not_restored.empty() ? "" : ", ") + label;
        }
        const std::string failed = GameFolder::display_name(kSlotCopies[written].working);
        std::string reason = e.what();
        if (reason.starts_with(failed + ": ")) reason.erase(0, failed.size() + 2);
        const std::string outcome = not_restored.empty()
            ? "the game files were put back as they were"
            : "these game files could not be put back: " + not_restored;
        throw DataError(failed, reason + "; " + outcome);
    }
}

}  // namespace teijinki
