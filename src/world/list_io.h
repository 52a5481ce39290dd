#pragma once
// The two text styles of the game's files: list input (items split at commas and line ends,
// enclosing quotes removed, numbers may carry a leading blank) and list output (texts quoted,
// numbers plain, comma-separated, CR LF line ends).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace teijinki {

// Reads items or whole lines from one decoded text, with an end-of-file test.
class ListReader {
public:
    // label names the file in error messages.
    ListReader(std::string text, std::string label);

    bool eof() const { return pos_ >= text_.size(); }
    // The next item: a quoted text without its quotes, or an unquoted run up to a comma or the
    // line end with blanks trimmed. An empty line yields one empty item.
    std::string item() { return std::string(item_view()); }
    // The same as a view into the text.
    std::string_view item_view();
    // The next item as a 16-bit number; a text that is not a number throws DataError naming the
    // file, the record and the field.
    std::int16_t number(int record_id, std::string_view field);
    // The rest of the current line, without its line end.
    std::string line();

    const std::string& label() const { return label_; }

private:
    void skip_line_end();
    std::string text_;
    std::string label_;
    std::size_t pos_ = 0;
};

// Splits one line into its list items (the same rules as ListReader::item).
std::vector<std::string> split_items(std::string_view line);
// The same without copies: up to `room` items of the line, as views into it, are put in items;
// returns how many items the line has.
std::size_t line_items(std::string_view line, std::string_view* items, std::size_t room);
// Parses an item as a number (blanks allowed, reals rounded to even); false when it is not one.
bool parse_number(std::string_view item, std::int16_t& out);
// Reads the number of a record marker: the first character is ".", the id is the numeric value
// of the next three characters. Returns -1 for an item that is not a marker.
int marker_id(std::string_view item);

// Builds list-output lines.
class ListWriter {
public:
    ListWriter& text(std::string_view value);
    ListWriter& number(long long value);
    // Ends the current line with CR LF.
    ListWriter& end_line();
    // Appends a line as it stands, plus CR LF.
    ListWriter& raw_line(std::string_view line);
    const std::string& str() const { return out_; }
    std::string take() { return std::move(out_); }
    void reserve(std::size_t n) { out_.reserve(n); }

private:
    void separator();
    std::string out_;
    bool line_started_ = false;
};

}  // namespace teijinki
