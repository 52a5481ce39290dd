#include "saveload/slot_list.h"

#include <algorithm>
#include <ctime>

#include "saveload/save_slots.h"
#include "setup/scenarios.h"
#include "world/error.h"

namespace fs = std::filesystem;

namespace teijinki {

namespace {

// The number of a slot file's name, or false for any other file.
bool slot_number_of(const std::string& file_name, std::string& number) {
    std::string lower = file_name;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    constexpr std::string_view head = "save", tail = ".ini";
    if (lower.size() < head.size() + tail.size() || !lower.starts_with(head) || !lower.ends_with(tail)) return false;
    number = file_name.substr(head.size(), file_name.size() - head.size() - tail.size());
    return slot_number_problem(number).empty();
}

SlotListEntry look_at(const GameFolder& folder, const fs::path& path, std::string number) {
    SlotListEntry entry;
    entry.number = std::move(number);
    std::error_code ec;
    const auto written = fs::last_write_time(path, ec);
    if (!ec) entry.saved_at = std::chrono::time_point_cast<std::chrono::system_clock::duration>(std::chrono::file_clock::to_sys(written));
    const std::string label = GameFolder::display_name(slot_file_literal(entry.number));
    try {
        const auto bytes = read_bytes(path);
        if (!bytes) throw DataError(label, "cannot be read");
        const SlotFile slot = parse_slot_file(decode_text(*bytes, label), label);
        if (!find_scenario(slot.save_info[4]))
            throw DataError(label, "names scenario " + std::to_string(slot.save_info[4]) + ", not one of 1 to 6");
        for (const SlotCopy& copy : kSlotCopies) {
            const std::string literal = slot_copy_literal(copy, entry.number);
            if (!copy.optional && !folder.exists(literal))
                throw DataError(GameFolder::display_name(literal), "file not found");
        }
        entry.preview = slot_preview(slot);
    } catch (const DataError& e) {
        entry.damaged = true;
        entry.problem = e.what();
    }
    return entry;
}

}  // namespace

std::vector<SlotListEntry> list_slots(const GameFolder& folder) {
    std::vector<SlotListEntry> out;
    std::error_code ec;
    fs::directory_iterator it(folder.resolve("\\save"), ec);
    if (ec) return out;
    for (const fs::directory_entry& file : it) {
        std::string number;
        if (!file.is_regular_file(ec) || !slot_number_of(file.path().filename().string(), number)) continue;
        // One entry per slot, even when a folder holds the name in two letter cases.
        if (std::any_of(out.begin(), out.end(), [&](const SlotListEntry& e) { return e.number == number; })) continue;
        out.push_back(look_at(folder, file.path(), std::move(number)));
    }
    std::sort(out.begin(), out.end(), [](const SlotListEntry& a, const SlotListEntry& b) {
        if (a.saved_at != b.saved_at) return a.saved_at > b.saved_at;
        return a.number < b.number;
    });
    return out;
}

std::string saved_time_text(std::chrono::system_clock::time_point at) {
    const std::time_t t = std::chrono::system_clock::to_time_t(at);
    std::tm local{};
    localtime_r(&t, &local);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y/%m/%d %H:%M", &local);
    return buffer;
}

std::string slot_list_row(const SlotListEntry& entry) {
    return "save" + entry.number + "　" + (entry.damaged ? std::string(kSlotDamaged) : entry.preview) + "　" +
           saved_time_text(entry.saved_at);
}

}  // namespace teijinki
