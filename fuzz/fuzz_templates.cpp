// The template composer on any table text: every section number into the three kinds of store.
// The page store must never pass its last page, the slot store its last slot.

#include <cstdint>
#include <string>

#include "messages/page_store.h"
#include "world/template_composer.h"

using namespace teijinki;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const TemplateTable table = TemplateTable::from_text(text);
    PageStore pages;
    SlotTextStore slots;
    SingleTextStore single;
    for (int no = -1; no <= 101; ++no) {
        (void)table.has_section(no);
        table.compose(no, "甲", "乙", pages);
        table.compose(no, "", "*", slots);
        table.compose(no, "+", "", single);
        if (pages.page_no < 0 || pages.page_no > PageStore::kLastPage) __builtin_trap();
        if (!pages.page_text[PageStore::kSlots - 1].empty()) __builtin_trap();
        if (slots.text_idx < 0 || slots.text_idx >= SlotTextStore::kSlots) __builtin_trap();
    }
    // A template line "EOT" is text like any other and may end the pages early; the end mark
    // itself must still stay within the store.
    pages.mark_end();
    if (pages.last_page() < 0 || pages.last_page() > PageStore::kLastPage) __builtin_trap();
    return 0;
}
