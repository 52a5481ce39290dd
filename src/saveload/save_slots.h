#pragma once
// Numbered save slots. Slot N is seven files in \save\: byte copies of the four working files,
// the game log and the standings, and the slot file save<N>.ini with the shared values the files
// do not hold. A slot saved before the standings were kept (or on the original platform) lacks
// their copy and loads all the same.
//
// A slot is written as a whole or not at all: the files go to temporary names first, and the
// slot file, which is what makes a slot visible, is removed before the copies are renamed into
// place and comes back last. A crash between those steps leaves every temporary file complete,
// so the next look at the slot finishes the renames (see finish_interrupted_save).
//
// A load reads and checks every file before it writes any working file, and puts the working
// files back as they were when one of its writes fails.

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "world/game_folder.h"
#include "world/numbers.h"
#include "world/shared_values.h"
#include "world/table.h"

namespace teijinki {

inline constexpr const char* kSlotHeading = "同盟結束力";
inline constexpr const char* kFileNotFound = "ファイルが見つかりません";
inline constexpr int kSlotPlayers = 16;   // player slots 0..15 travel with a save
inline constexpr int kPreviewPlayers = 15; // the preview looks for a name among slots 0..14
// The longest slot number a file name can carry, with room for the temporary names.
inline constexpr std::size_t kMaxSlotDigits = 200;

// What the slot file holds.
struct SlotFile {
    Table<Int16, 6> save_info;  // year value, cohesion of alliances 1..3, scenario, music flag
    struct Player {
        std::string name;
        Int16 lord;
        Int16 gun;
        Int16 mei;
    };
    Table<Player, kSlotPlayers> players;
};

// One of the files a slot copies.
struct SlotCopy {
    const char* working;  // literal of the working file
    const char* prefix;   // slot file name before the number
    const char* suffix;   // ".ini", ".log" or ".csv"
    bool optional;        // a slot may lack it: the game is whole without it
};
// In the order a load copies them back: generals, warlords, comments, provinces, the log, the
// standings.
inline constexpr std::size_t kSlotCopyCount = 6;
extern const std::array<SlotCopy, kSlotCopyCount> kSlotCopies;

// The literal path of a slot's copy of a working file ("\save\busv7.ini") and of its slot file.
std::string slot_copy_literal(const SlotCopy& copy, std::string_view slot);
std::string slot_file_literal(std::string_view slot);

// Empty when the typed number can name a slot; otherwise the message telling the player why not
// (a character that is not a digit, or more digits than a file name holds).
std::string slot_number_problem(std::string_view slot);

// The slot file's text (UTF-8, CR LF) and its reader. parse_slot_file throws DataError naming the
// file when the heading, a count of numbers or a line is missing.
std::string format_slot_file(const SlotFile& slot);
SlotFile parse_slot_file(std::string_view text, const std::string& label);

// The slot file's values from the shared values and the year (the main screen's year value).
SlotFile slot_from_shared(const SharedValues& shared);
// Puts the slot file's values into the shared values: save_info[0..5], player slots 0..15, and
// the scenario number and counts of the slot's scenario.
void slot_to_shared(const SlotFile& slot, SharedValues& shared);

// The preview of a slot: "シナリオ" + Str(scenario) + the first non-empty player name among
// slots 0..14 + Str(year value) + "年".
std::string slot_preview(const SlotFile& slot);

// A slot read from disk and checked: the slot file's values and the bytes of its copies.
struct LoadedSlot {
    SlotFile slot;
    std::array<std::string, kSlotCopyCount> copies;  // in kSlotCopies order
    // Why the slot's standings are not loaded (their copy is damaged); empty when they are, or
    // when the slot has none. The standings then start again at the loaded year.
    std::string standings_problem;
};

// Reads every file of a slot and checks it: every file present, the record files made of
// whole, readable records with every record a game holds (170 generals, the slot's scenario's
// warlords, 48 provinces), the comment file's records in order and closed, the log readable
// text ending with its terminator, the slot file complete with a scenario from 1 to 6. Throws
// DataError naming the file that is wrong. The standings are the exception: a slot without
// them, or with a damaged copy, loads with empty standings (the damage told in
// standings_problem), since losing the record of past years must not cost the game itself.
LoadedSlot read_slot(const GameFolder& folder, std::string_view slot);

// Writes a file's bytes in place of the old ones; the load's writes go through one so that
// tests can make one of them fail.
using FileWriter = std::function<void(const std::filesystem::path& target, std::string_view bytes, const std::string& label)>;
void write_file_replacing(const std::filesystem::path& target, std::string_view bytes, const std::string& label);

// Writes a slot from the working files and the slot values. Creates \save\ when it is missing.
// Throws DataError naming the file when a working file is missing or a file cannot be written;
// the slot is then as it was before (an earlier save of it stays whole).
void write_slot(const GameFolder& folder, std::string_view slot, const SlotFile& values);

// Copies a checked slot back over the working files (generals, warlords, comments, provinces,
// log, standings). When a write fails, every working file already written is put back as it was through the
// same writer (a file that did not exist is removed again) and DataError is thrown naming the
// file that failed; its text also names the working files whose bytes could not be put back, or
// says that all were.
void restore_working_files(const GameFolder& folder, const LoadedSlot& loaded, const FileWriter& writer = write_file_replacing);

// After a crash in the middle of write_slot: completes a save whose temporary files were all
// written (the slot file had been taken away for the renames), or removes the leftovers of one
// that had not got that far. Does nothing for a slot that is in order.
void finish_interrupted_save(const GameFolder& folder, std::string_view slot);

}  // namespace teijinki
