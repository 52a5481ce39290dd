#include "world/template_composer.h"

#include "world/error.h"
#include "world/numbers.h"

namespace teijinki {

namespace {
int header_number(std::string_view line) { return static_cast<int>(Val(line.substr(1, 3))); }
}  // namespace

TemplateTable TemplateTable::load(const GameFolder& folder, std::string_view literal) {
    TemplateTable table = from_text(folder.read_master_text(literal));
    // The closing header is the only sign that the whole table is there: a file cut short would
    // otherwise just lose its last sections and compose empty texts.
    bool closed = false;
    for (const auto& line : table.lines_)
        if (!line.empty() && line[0] == '.' && line.rfind("..", 0) != 0 && header_number(line) >= 100) closed = true;
    if (!closed)
        throw DataError(GameFolder::display_name(literal), "has no closing header numbered 100 or more (the file is cut off)");
    return table;
}

TemplateTable TemplateTable::from_text(std::string_view text) {
    TemplateTable table;
    table.lines_ = split_lines(text);
    for (std::size_t i = 0; i < table.lines_.size(); ++i) {
        const std::string& line = table.lines_[i];
        if (!line.empty() && line[0] == '.') table.headers_.push_back({header_number(line), i, line.rfind("..", 0) == 0});
    }
    return table;
}

bool TemplateTable::has_section(int text_no) const {
    for (const Header& h : headers_) {
        if (h.number == text_no && !h.closing) return true;
        if (h.number >= 100) return false;
    }
    return false;
}

void TemplateTable::compose(int text_no, std::string_view sub1, std::string_view sub2, TextStore& store) const {
    const std::size_t n = lines_.size();
    for (const Header& h : headers_) {
        const std::size_t i = h.line;
        const int number = h.number;
        if (number == text_no) {
            // Compose until a ".." line or the end of the file; the tests run in this order.
            for (std::size_t k = i + 1; k < n; ++k) {
                const std::string& line = lines_[k];
                bool matched = false;
                if (!line.empty() && line[0] == '.') { store.append(kCrLf); matched = true; }
                if (!line.empty() && line[0] == '+') { store.append(sub1); matched = true; }
                if (!line.empty() && line[0] == '*') { store.append(sub2); matched = true; }
                if (line.rfind("..", 0) == 0) return;  // the section and the whole read end here
                if (!line.empty() && line[0] == '/') { store.next_slot(); matched = true; }
                if (!matched) store.append(line);
            }
            return;
        }
        if (number >= 100) return;
    }
}

}  // namespace teijinki
