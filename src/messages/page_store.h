#pragma once
// The message window's pages: up to 40 pages of text (0..39), each with an optional picture and
// caption, and the "EOT" entry after the last page.

#include <string>
#include <string_view>

#include "world/table.h"
#include "world/template_composer.h"

namespace teijinki {

inline constexpr const char* kEndOfText = "EOT";

class PageStore : public TextStore {
public:
    static constexpr int kSlots = 41;     // 0..40
    static constexpr int kLastPage = 39;  // the last page that may carry text

    Table<std::string, kSlots> page_text;
    Table<std::string, kSlots> page_cg;
    Table<std::string, kSlots> page_caption;
    int page_no = 0;

    void append(std::string_view text) override { page_text[page_no] += text; }
    // Text that would pass the last page stays on it, so the "EOT" slot is never overwritten.
    void next_slot() override { advance(); }
    void advance() {
        if (page_no < kLastPage) ++page_no;
    }
    // clear_Text_rtn: every page's text emptied (pictures and captions are kept).
    void clear_text() { page_text.fill({}); }
    // Marks the page after the current one as the end.
    void mark_end() { page_text[page_no + 1] = kEndOfText; }
    // The index of the last page: the one whose successor is "EOT" (0 when there is none).
    int last_page() const;
    void tag(std::string_view cg, std::string_view caption) {
        page_cg[page_no] = cg;
        page_caption[page_no] = caption;
    }
};

}  // namespace teijinki
