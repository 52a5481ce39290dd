#pragma once
// The record layout shared by the working files and the scenario masters: a marker line "." + id,
// then a fixed number of field lines. Lines that are not part of a record are skipped by readers
// and vanish when a file is rewritten.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "world/error.h"
#include "world/game_folder.h"
#include "world/records.h"

namespace teijinki {

enum class RecordKind { General, Warlord, Province };

// Field lines after the marker: general 5, warlord 3, province 2.
int field_lines(RecordKind kind);

// The field lines of one record, held in place (a record has at most five), so that a record is
// copied without allocating.
class FieldLines {
public:
    static constexpr std::size_t kMax = 5;
    void push_back(std::string_view line) { lines_[size_++] = line; }
    void clear() { size_ = 0; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const std::string_view& operator[](std::size_t k) const { return lines_[k]; }
    std::string_view& operator[](std::size_t k) { return lines_[k]; }
    const std::string_view& front() const { return lines_[0]; }
    const std::string_view& back() const { return lines_[size_ - 1]; }
    const std::string_view* begin() const { return lines_.data(); }
    const std::string_view* end() const { return lines_.data() + size_; }

private:
    std::array<std::string_view, kMax> lines_{};
    std::size_t size_ = 0;
};

// Views into the text being scanned: valid only during the visit.
struct RecordLines {
    int id = 0;
    std::string_view marker;  // the marker line as read
    FieldLines fields;        // the field lines as read
};

// The records of one file, in file order; the scan calls visit for each and stops when visit
// returns false. A record cut short by the end of the file, or one whose id is not greater than the
// id before it, throws DataError.
void scan_records(std::string_view text, RecordKind kind, const std::string& label,
                  const std::function<bool(const RecordLines&)>& visit);

// A record with its list items read once: the name, the numbers in file order and (generals,
// warlords) the closing text item, a general's jpg or a warlord's del. Views into the text.
struct RecordItems : RecordLines {
    std::string_view name;
    std::array<std::int16_t, 8> numbers{};
    int bad_number = 0;  // position (from 1) of the first number item that is not a number; 0: none
    std::string_view bad_text;
    std::string_view last;
};

// Numbers between the name and the closing item: general 8, warlord 8, province 2.
int number_items(RecordKind kind);
RecordItems read_items(const RecordLines& record, RecordKind kind);

// The records of one version of a working file, scanned and their items read once, so that every
// reader of that version shares the work.
class RecordSet {
public:
    RecordSet(std::string_view text, RecordKind kind, std::string label);
    // Where a rewrite put a record: its stretch of the new text (marker to the end of its last
    // line) and the record of the old version it was made from.
    struct Placed {
        std::size_t start = 0, end = 0;
        const RecordItems* from = nullptr;
    };
    // The records of `text`, which a rewrite of `before` laid out record by record as `placed`
    // says, equal to what reading text would give: a record whose bytes did not change keeps the
    // items read before, the others are read. Null when text is not laid out so (the set is then
    // left to be read whole).
    static std::shared_ptr<const RecordSet> following(const RecordSet& before, std::string_view text, RecordKind kind,
                                                      const std::vector<Placed>& placed);
    const std::string& label() const { return label_; }
    std::string_view text() const { return text_; }
    // The records in file order as scan_records visits them: visit returns false to stop, and a
    // record out of order or cut short throws where that scan would throw.
    void visit(const std::function<bool(const RecordItems&)>& visit) const;

private:
    RecordSet(std::string_view text, std::string label) : text_(text), label_(std::move(label)) {}
    std::string_view text_;
    std::string label_;
    std::vector<RecordItems> records_;
    std::optional<DataError> fault_;
};

// The records a working file holds now; scanned again only when the file changed since the folder
// last read or wrote it. Throws DataError when the file is missing or unreadable.
std::shared_ptr<const RecordSet> current_records(const GameFolder& folder, std::string_view literal, RecordKind kind);

// Checks a whole file of records: every record readable, its quoted text fields closed, and,
// when count > 0, every record 1..count present (records after count are not looked at). Throws
// DataError naming the file and the first record at fault.
void check_record_set(std::string_view text, RecordKind kind, const std::string& label, int count);

// The same for a comment file: per general a header ".id", the name, the comment lines and a
// closing "."; the headers in ascending order and the last record closed. A general without a
// record simply has no comment.
void check_comment_set(std::string_view text, const std::string& label);

// Field parsing and formatting. Numbers that are not numbers throw DataError naming the file
// and the record.
void parse_general(const RecordLines& record, const std::string& label, Bushou& out);
void parse_warlord(const RecordLines& record, const std::string& label, Gun& out);
void parse_province(const RecordLines& record, const std::string& label, Kuni& out);
// The same from items already read: the fields are filled in order up to a number that is not one.
void parse_general(const RecordItems& record, const std::string& label, Bushou& out);
void parse_warlord(const RecordItems& record, const std::string& label, Gun& out);
void parse_province(const RecordItems& record, const std::string& label, Kuni& out);
// A general's kunID alone (the lord he serves), the record refused as parse_general refuses it.
int general_lord(const RecordItems& record, const std::string& label);

// The field lines of a record with the given values appended to out, each ended by CR LF. A
// one-record rewrite leaves out the last line (a general's jpg, a warlord's del), which it copies
// as read.
void append_general_lines(std::string& out, const Bushou& b, bool with_last = true);
void append_warlord_lines(std::string& out, const Gun& g, bool with_last = true);
void append_province_lines(std::string& out, const Kuni& k);
std::string quote_text(std::string_view text);

// The literal paths of the working files and their scratch copies.
namespace files {
inline constexpr const char* kGenerals = "\\ini\\busv.ini";
inline constexpr const char* kGeneralsScratch = "\\ini\\buimg.ini";
inline constexpr const char* kWarlords = "\\ini\\gunsv.ini";
inline constexpr const char* kWarlordsScratch = "\\ini\\gunimg.ini";
inline constexpr const char* kProvinces = "\\ini\\Kunisv.ini";
inline constexpr const char* kProvincesScratch = "\\ini\\Kuniimg.ini";
inline constexpr const char* kComments = "\\ini\\Cmtsv.ini";
inline constexpr const char* kCommentsScratch = "\\ini\\Cmtimg.ini";
inline constexpr const char* kLog = "\\ini\\kodarn.log";
inline constexpr const char* kLogScratch = "\\ini\\kodarn.img";
inline constexpr const char* kEndLog = "\\save\\kdn_end.log";
inline constexpr const char* kText = "\\ini\\Text.ini";
inline constexpr const char* kCommand = "\\ini\\Command.ini";
}  // namespace files

// Rewrites a working file through its scratch copy: the scratch copy gets the old bytes, the
// records up to the stop are written anew, and the result reaches the working file by an atomic
// replace. stop_after(id) tells whether the rewrite ends after the record with that id.
// write_fields(record, out) may append the record's field lines anew (each ended by CR LF) and
// returns how many it wrote: all of them, or all but the last, which is then copied as read; 0
// keeps the record as read.
void rewrite_records(const GameFolder& folder, std::string_view literal, std::string_view scratch, RecordKind kind,
                     const std::function<bool(int id)>& stop_after,
                     const std::function<int(const RecordItems&, std::string& out)>& write_fields);

}  // namespace teijinki
