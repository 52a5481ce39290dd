#include "world/list_io.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "world/error.h"
#include "world/numbers.h"

namespace teijinki {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_line_end(char c) { return c == '\r' || c == '\n'; }

// Reads one item starting at pos in text; leaves pos after the item's comma or at its line end.
// The item is always a stretch of the text itself, so it is handed out as a view.
std::string_view read_item(std::string_view text, std::size_t& pos) {
    const std::size_t n = text.size();
    while (pos < n && is_blank(text[pos])) ++pos;
    std::string_view value;
    if (pos < n && text[pos] == '"') {
        ++pos;
        // Up to the closing quote; an unclosed quote runs to the line end.
        std::size_t end = pos;
        while (end < n && text[end] != '"' && !is_line_end(text[end])) ++end;
        value = text.substr(pos, end - pos);
        pos = end;
        // The closing quote and anything after it up to the separator are passed over.
        while (pos < n && text[pos] != ',' && !is_line_end(text[pos])) ++pos;
    } else {
        const std::size_t start = pos;
        while (pos < n && text[pos] != ',' && !is_line_end(text[pos])) ++pos;
        std::size_t end = pos;
        while (end > start && is_blank(text[end - 1])) --end;
        value = text.substr(start, end - start);
    }
    if (pos < n && text[pos] == ',') ++pos;
    return value;
}

}  // namespace

ListReader::ListReader(std::string text, std::string label) : text_(std::move(text)), label_(std::move(label)) {}

// The position never passes the text's end, and a std::string reads '\0' there: no bound check.
void ListReader::skip_line_end() {
    if (text_[pos_] == '\r') ++pos_;
    if (text_[pos_] == '\n') ++pos_;
}

std::string_view ListReader::item_view() {
    const std::size_t before = pos_;
    const std::string_view value = read_item(text_, pos_);
    // An item that ended at a line end consumes it, so the next item starts on the next line.
    if (is_line_end(text_[pos_])) {
        const bool ended_by_comma = pos_ > before && text_[pos_ - 1] == ',';
        if (!ended_by_comma) skip_line_end();
    }
    return value;
}

std::int16_t ListReader::number(int record_id, std::string_view field) {
    const std::string_view value = item_view();
    std::int16_t out = 0;
    if (!parse_number(value, out))
        throw DataError(label_, std::string(field) + " is not a number (\"" + std::string(value) + "\")", record_id);
    return out;
}

std::string ListReader::line() {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && !is_line_end(text_[pos_])) ++pos_;
    std::string value = text_.substr(start, pos_ - start);
    skip_line_end();
    return value;
}

namespace {

template <class Visit>
void each_item(std::string_view line, Visit visit) {
    std::size_t pos = 0;
    for (;;) {
        visit(read_item(line, pos));
        if (pos >= line.size()) {
            // A separator at the very end leaves one more, empty, item.
            if (pos > 0 && line[pos - 1] == ',') visit(std::string_view());
            break;
        }
        if (is_line_end(line[pos])) break;
    }
}

}  // namespace

std::vector<std::string> split_items(std::string_view line) {
    std::vector<std::string> items;
    each_item(line, [&](std::string_view item) { items.emplace_back(item); });
    return items;
}

std::size_t line_items(std::string_view line, std::string_view* items, std::size_t room) {
    std::size_t count = 0;
    each_item(line, [&](std::string_view item) {
        if (count < room) items[count] = item;
        ++count;
    });
    return count;
}

bool parse_number(std::string_view item, std::int16_t& out) {
    std::size_t i = 0;
    while (i < item.size() && is_blank(item[i])) ++i;
    std::size_t end = item.size();
    while (end > i && is_blank(item[end - 1])) --end;
    const std::string_view body = item.substr(i, end - i);
    if (body.empty()) {
        out = 0;  // an empty field reads as 0, as the list reader always did
        return true;
    }
    const bool signed_ = body[0] == '-' || body[0] == '+';
    const std::string_view magnitude = body.substr(signed_ ? 1 : 0);
    // Almost every stored number is a whole one: read as an integer, never through a real.
    unsigned long long value = 0;  // unsigned: a second sign is not part of a number
    const auto [stop, ec] = std::from_chars(magnitude.data(), magnitude.data() + magnitude.size(), value);
    if (stop == magnitude.data() + magnitude.size() && ec != std::errc::invalid_argument) {
        const long long whole = ec == std::errc::result_out_of_range || value > 1'000'000'000'000ULL
                                    ? 1'000'000'000'000LL
                                    : static_cast<long long>(value);
        out = saturate16(body[0] == '-' ? -whole : whole);
        return true;
    }
    // Otherwise a real with a decimal point, or no number at all.
    bool digits = false;
    bool dot = false;
    for (const char c : magnitude) {
        if (c >= '0' && c <= '9') digits = true;
        else if (c == '.' && !dot) dot = true;
        else return false;
    }
    if (!digits) return false;
    out = saturate16(CInt(std::strtod(std::string(body).c_str(), nullptr)));
    return true;
}

int marker_id(std::string_view item) {
    if (item.empty() || item[0] != '.') return -1;
    return static_cast<int>(Val(item.substr(1, 3)));
}

void ListWriter::separator() {
    if (line_started_) out_ += ',';
    line_started_ = true;
}

ListWriter& ListWriter::text(std::string_view value) {
    separator();
    out_ += '"';
    out_ += value;
    out_ += '"';
    return *this;
}

ListWriter& ListWriter::number(long long value) {
    separator();
    out_ += std::to_string(value);
    return *this;
}

ListWriter& ListWriter::end_line() {
    out_ += "\r\n";
    line_started_ = false;
    return *this;
}

ListWriter& ListWriter::raw_line(std::string_view line) {
    out_ += line;
    out_ += "\r\n";
    line_started_ = false;
    return *this;
}

}  // namespace teijinki
