// Numbers as stored and shown, the random sources, and the template composer.

#include <gtest/gtest.h>

#include <set>

#include "messages/page_store.h"
#include "world/encoding.h"
#include "world/numbers.h"
#include "world/random.h"
#include "world/template_composer.h"

namespace teijinki {
namespace {

TEST(Numbers, RoundingAndTextForms) {
    // Rounded half to even, and cut down.
    const std::tuple<double, long long, long long> forms[] = {{2.5, 2, 2}, {3.5, 4, 3}, {-2.5, -2, -3}, {2.6, 3, 2}, {-0.5, 0, -1}, {3.9, 4, 3}};
    for (const auto& [x, rounded, cut] : forms) EXPECT_EQ(std::make_pair(CInt(x), Int(x)), std::make_pair(rounded, cut)) << x;
    const std::pair<std::string, const char*> shown[] = {{Str(12), " 12"}, {Str(0), " 0"}, {Str(-3), "-3"}, {Str(1.7), " 1.7"},
                                                         {Str(2.0), " 2"}, {Str(0.0), " 0"}, {Str(-0.25), "-0.25"},
                                                         {Str(Comma3(1.0 / 3.0)), " 0.333"}, {Str(Comma3(0.7f)), " 0.7"}};
    for (const auto& [text, expected] : shown) EXPECT_EQ(text, expected);
    EXPECT_DOUBLE_EQ(Comma3(1.0 / 3.0), 0.333);
    // Blanks before the sign and between digits are passed over; the first other character ends it.
    const std::pair<const char*, long long> vals[] = {{" 12x", 12}, {"x", 0}, {" -3", -3}, {"\t+7", 7}, {"1 2", 12}, {"--1", 0}};
    for (const auto& [text, value] : vals) EXPECT_EQ(Val(text), value) << text;
}

TEST(Numbers, StoredValuesSaturateInsteadOfWrapping) {
    Int16 v = 32000, w = 200, x = -40000;
    v += 1000;
    w = w * 300;
    EXPECT_EQ(std::make_tuple(int(v), int(w), int(x)), std::make_tuple(32767, 32767, -32768));
}

TEST(Utf8, AFaultIsFoundWhereverItFallsAmongPlainBytes) {
    // Plain bytes are passed over several at a time: a fault is put at each place in such a run.
    const std::string run = "1,2,3,45,678,9\r\n";  // sixteen plain bytes
    for (std::size_t at = 0; at <= run.size(); ++at) {
        for (const std::string bad : {"\x80", "\xE3\x81", "\xC0\xAF", "\xED\xA0\x80", "\xFF"}) {
            std::string text = run + run;
            text.insert(at + run.size() / 2, bad);
            EXPECT_FALSE(is_valid_utf8(text)) << "at " << at;
        }
        std::string good = run + run;
        good.insert(at, "陳");
        EXPECT_TRUE(is_valid_utf8(good)) << "at " << at;
    }
    EXPECT_FALSE(is_valid_utf8(run + "\xE9\x99"));  // cut off at the very end
    EXPECT_TRUE(is_valid_utf8(""));
}

TEST(Random, SeededRepeatsAndRandomizeNeverRepeats) {
    SeededRandom a(42), b(42);
    // Saved games and traces replay only if the generator stays xoroshiro128+ seeded by splitmix64.
    for (const int expected : {15124245, 1291930, 8884230, 5428551}) EXPECT_EQ(a.Rnd() * 16777216.0f, expected);
    for (int i = 0; i < 4; ++i) b.Rnd();
    for (int i = 0; i < 100; ++i) EXPECT_EQ(a.Rnd(), b.Rnd());
    a.Randomize();
    b.Randomize();
    EXPECT_EQ(a.Rnd(), b.Rnd());

    // A clock-seeded source re-seeded twice within one clock tick must not give the same draws.
    ClockRandom c;
    c.Randomize();
    const float first = c.Rnd();
    c.Randomize();
    const float second = c.Rnd();
    EXPECT_NE(first, second);

    std::set<int> seen;  // every face of the die, and nothing else
    for (int i = 0; i < 2000; ++i) seen.insert(roll(a, 6));
    EXPECT_EQ(seen, (std::set{0, 1, 2, 3, 4, 5}));
}

TEST(Random, ScriptedSourceGivesItsValuesAndFailsLoudlyWhenEmpty) {
    ScriptedRandom s;
    s.push_roll(3, 6);
    s.push_roll(5, 6);
    EXPECT_EQ(roll2d6(s), 10);
    s.push(1.0f);  // a draw of 1, which no source should give, is still a face of the die
    EXPECT_EQ(roll(s, 6), 5);
    EXPECT_THROW(s.Rnd(), std::logic_error);
}

const char* kTable =
    ".1\r\n甲は\r\n+\r\nと\r\n*\r\nに会った。\r\n..\r\n"
    ".2\r\n一頁目\r\n/\r\n二頁目\r\n.\r\n..\r\n"
    ".3\r\n+余計な文字\r\n..\r\n"
    ".100\r\n"
    ".4\r\n見つからない\r\n..\r\n";

TEST(TemplateComposer, SubstitutesWithoutSeparatorsAndEndsWithOneLineBreak) {
    const auto table = TemplateTable::from_text(kTable);
    SlotTextStore store;
    table.compose(1, "曹操", "劉備", store);
    EXPECT_EQ(store.text_buf[0], "甲は曹操と劉備に会った。\r\n");
    table.compose(1, "曹操", "劉備", store);  // composing twice without clearing appends twice
    EXPECT_EQ(store.text_buf[0], "甲は曹操と劉備に会った。\r\n甲は曹操と劉備に会った。\r\n");
    SlotTextStore other;
    table.compose(3, "名", "", other);
    EXPECT_EQ(other.text_buf[0], "名\r\n");  // the rest of a "+" line is ignored
    table.compose(4, "", "", other);  // after the closing header nothing is found
    table.compose(9, "", "", other);
    EXPECT_EQ(other.text_buf[0], "名\r\n");
    EXPECT_FALSE(table.has_section(4));
    EXPECT_TRUE(table.has_section(2));
}

TEST(TemplateComposer, SlashMovesSlotsPagesOrEmptiesASingleText) {
    const auto table = TemplateTable::from_text(kTable);
    SlotTextStore slots;
    table.compose(2, "", "", slots);
    EXPECT_EQ(slots.text_buf[0], "一頁目");
    EXPECT_EQ(slots.text_buf[1], "二頁目\r\n\r\n");
    EXPECT_EQ(slots.text_idx, 1);

    SingleTextStore single;
    table.compose(2, "", "", single);
    EXPECT_EQ(single.text, "二頁目\r\n\r\n");

    PageStore pages;
    pages.page_no = PageStore::kLastPage;
    table.compose(2, "", "", pages);
    EXPECT_EQ(pages.page_no, PageStore::kLastPage);  // clipped: never onto the end slot
    EXPECT_EQ(pages.page_text[PageStore::kLastPage], "一頁目二頁目\r\n\r\n");
    pages.mark_end();
    EXPECT_EQ(pages.page_text[40], "EOT");
    EXPECT_EQ(pages.last_page(), PageStore::kLastPage);
}

TEST(TemplateComposer, SectionWithoutTerminatorRunsIntoTheNextOne) {
    const auto table = TemplateTable::from_text(".1\r\nA\r\n.2\r\nB\r\n...\r\n.100\r\n");
    SlotTextStore store;
    table.compose(1, "", "", store);
    EXPECT_EQ(store.text_buf[0], "A\r\nB\r\n");
    EXPECT_FALSE(table.has_section(0));  // a closing line, even one running on, opens no section
}

}  // namespace
}  // namespace teijinki
