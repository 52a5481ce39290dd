#pragma once
// Composes prose from the numbered sections of a template table (Text.ini, Command.ini) with two
// substitutions, into one of three kinds of store.

#include <string>
#include <string_view>
#include <vector>

#include "world/game_folder.h"
#include "world/table.h"

namespace teijinki {

// Where composed text goes. A "/" line calls next_slot().
class TextStore {
public:
    virtual ~TextStore() = default;
    virtual void append(std::string_view text) = 0;
    virtual void next_slot() = 0;
};

// The main screen's numbered slots text_buf 0..50 with the current slot text_idx.
class SlotTextStore : public TextStore {
public:
    static constexpr int kSlots = 51;
    Table<std::string, kSlots> text_buf;
    int text_idx = 0;

    void append(std::string_view text) override { text_buf[text_idx] += text; }
    // A template that would pass the last slot keeps writing into it rather than overrun.
    void next_slot() override {
        if (text_idx < kSlots - 1) ++text_idx;
    }
    void clear() {
        text_buf.fill({});
        text_idx = 0;
    }
};

// A single text, where "/" empties the text (title screen, strategy screen).
class SingleTextStore : public TextStore {
public:
    std::string text;
    void append(std::string_view piece) override { text += piece; }
    void next_slot() override { text.clear(); }
};

// A template table, read once from its file. Sections are found by number; the table ends for
// the reader at the first header numbered 100 or more.
class TemplateTable {
public:
    TemplateTable() = default;
    // Throws DataError naming the file when it is missing, unreadable or has no closing header.
    static TemplateTable load(const GameFolder& folder, std::string_view literal);
    static TemplateTable from_text(std::string_view text);

    // Appends section text_no to the store with the two substitutions. A missing section adds
    // nothing.
    void compose(int text_no, std::string_view sub1, std::string_view sub2, TextStore& store) const;
    // Whether section text_no exists before the closing header.
    bool has_section(int text_no) const;

    const std::vector<std::string>& lines() const { return lines_; }

private:
    // The header lines ("." first) in file order, with their numbers: a section is looked for
    // among these, not among every line.
    struct Header {
        int number;
        std::size_t line;
        bool closing;  // a ".." line, which ends a section but starts none
    };
    std::vector<std::string> lines_;
    std::vector<Header> headers_;
};

inline constexpr const char* kCrLf = "\r\n";

}  // namespace teijinki
