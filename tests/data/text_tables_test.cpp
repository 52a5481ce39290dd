// The shipped prose tables Text.ini and Command.ini. Every section the game composes must exist and
// carry a "+" or "*" line exactly where its callers set text_sub1 / text_sub2: a marker for a value
// the caller leaves alone prints whatever an earlier event put there.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "world/encoding.h"
#include "world/game_folder.h"
#include "world/template_composer.h"

namespace {

using namespace teijinki;

// One section as the game composes it: which substitutions its callers set, and sample values of
// the shape they set (names, phrases ending in "が", numbers with the leading blank of Str).
struct Section {
    int no;
    bool sub1;
    bool sub2;
    const char* sample1;
    const char* sample2;
};

// Text.ini, composed by the message window (strategies, wars, world events) and by the main screen
// (year-end report: 11, 38, 45).
const std::vector<Section> kTextSections = {
    {1, true, true, "張角", "曹操が"},  // a general joins: his name, the warlord + "が"
    {2, true, true, "荀彧", "曹操の名声により陳留の住民は曹操"},
    {3, true, true, "賈詡", "袁紹陣営の結束が42"},
    {4, true, false, "夏侯惇", nullptr},
    {5, false, false, nullptr, nullptr},
    {6, false, true, nullptr, "曹操の名声が 7"},
    {7, false, true, nullptr, "袁術の名声と、その幕僚の結束が4"},
    {8, true, true, "荀彧", "袁紹の名声により曹操は"},
    {9, true, true, "陳宮", "呂布"},
    {10, true, true, "郭嘉", "曹操"},
    {11, true, true, "袁術", "楊弘"},
    {12, true, true, "荀攸", "曹操を中心とした連合軍は、袁紹"},
    {13, true, true, "張遼、高順、", "曹操"},  // defectors (a list from intrigue, one name after a defeat)
    {14, false, true, nullptr, "陳留の人民が"},
    {15, false, true, nullptr, " 8000が"},
    {16, true, true, "関羽の率いる劉備軍 350", "張遼の率いる曹操軍 200"},
    {17, true, true, "劉備の軍師諸葛亮", "奇襲"},
    {18, true, false, "郭嘉", nullptr},
    {19, true, true, "劉備", " 35"},
    {20, true, true, "張遼", "許褚以下、獅子奮迅の働きを見せ、劉備軍の士気が 40"},
    {21, false, false, nullptr, nullptr},
    {22, true, true, "曹操", "陳留"},
    {23, true, true, "賈詡", "袁紹"},
    {24, false, true, nullptr, "陳留の人民"},
    {25, true, true, "張遼", "曹操軍の士気が 22"},
    {26, true, true, "諸葛亮", "曹操軍の士気が 31"},
    {27, true, false, "荀彧", nullptr},
    {28, true, true, "諸葛亮", "曹操軍の士気が 45"},
    {29, true, true, "関羽が華雄", "董卓"},
    {30, true, true, "董卓", " 38"},
    {32, true, false, "荀彧", nullptr},  // text_sub2 is emptied, so nothing to show
    {33, true, false, "荀彧", nullptr},
    {34, true, true, "劉備の総兵力は 500", "曹操軍のそれは 300"},
    {35, true, false, "曹操", nullptr},
    {36, false, false, nullptr, nullptr},
    {37, true, false, "高順", nullptr},
    {38, true, true, "袁術", "楊弘"},
    {39, true, true, "荀彧", "曹操"},
    {40, false, false, nullptr, nullptr},
    {41, true, true, "張繍", "独立軍閥"},
    {42, true, true, "諸葛亮", " 2.3"},
    {43, true, false, "夏侯惇", nullptr},
    {44, true, false, "郭嘉", nullptr},
    {45, true, true, "曹操", "荀彧"},
    {46, false, true, nullptr, "曹操"},
    {47, true, true, "荀彧", "劉備は曹操"},
    {48, true, false, "劉備", nullptr},
    {49, true, false, "曹操", nullptr},
    {50, true, false, "関羽", nullptr},
    {51, true, false, "張遼", nullptr},
    {52, false, true, nullptr, "荀彧"},
    {53, true, false, "荀彧", nullptr},
    {54, true, false, "以前より民心の離れていた陳留、濮陽、", nullptr},
    {55, false, true, nullptr, "以前より民心の離れていた陳留、"},
    {57, true, true, "袁紹", "曹操"},
    {58, true, false, "調停", nullptr},
    {59, true, false, "袁術", nullptr},
    {60, true, false, "董卓", nullptr},  // text_sub2 is emptied
};

// The battle narration: the only prose long enough to earn a page of its own.
const std::set<int> kBattleSections = {16, 17, 19, 20, 25, 26, 28, 29, 30, 34, 35, 36, 40, 42, 49, 50, 51};

// Command.ini: strategy explanations (the strategy screen) and scenario descriptions (title screen).
const std::vector<Section> kCommandSections = {
    {1, true, false, "劉備", nullptr},
    {2, true, false, "陳留", nullptr},
    {3, true, false, "袁紹", nullptr},
    {4, true, true, "張角", "陳留の黄巾賊を討伐し、その地を占領する。"},
    {5, true, true, "軻比能", " 8000を傘下に収める。"},
    {6, false, false, nullptr, nullptr},
    {7, true, false, "袁術", nullptr},
    {8, true, false, "袁紹", nullptr},
    {9, false, false, nullptr, nullptr},
    {10, false, false, nullptr, nullptr},
    {11, true, false, "董卓", nullptr},
    {12, true, false, "董卓", nullptr},
    {20, false, false, nullptr, nullptr},
    {21, false, false, nullptr, nullptr},
    {22, false, false, nullptr, nullptr},
    {23, false, false, nullptr, nullptr},
    {24, false, false, nullptr, nullptr},
    {25, false, false, nullptr, nullptr},
    {26, false, false, nullptr, nullptr},
};

// Values a caller never set for a section: they must not show up in its text.
constexpr const char* kStale1 = "〈古い一〉";
constexpr const char* kStale2 = "〈古い二〉";

// The message window's pages: "/" moves on to the next page. Pages beyond the store are kept so
// that a test can see how far a template would have gone.
class PageStore : public TextStore {
public:
    std::vector<std::string> pages{std::string()};
    std::size_t page_no = 0;
    void append(std::string_view text) override { pages[page_no] += text; }
    void next_slot() override {
        ++page_no;
        if (pages.size() <= page_no) pages.resize(page_no + 1);
    }
};

constexpr std::size_t kTextPages = 40;  // pages 0..39; slot 40 holds the end marker

std::filesystem::path data_dir() { return std::filesystem::path(TEIJINKI_DATA_DIR); }

const TemplateTable& text_table() {
    static const TemplateTable table = TemplateTable::load(GameFolder(data_dir()), "\\ini\\Text.ini");
    return table;
}

const TemplateTable& command_table() {
    static const TemplateTable table = TemplateTable::load(GameFolder(data_dir()), "\\ini\\Command.ini");
    return table;
}

int header_number(const std::string& line) {
    int n = 0;
    for (std::size_t i = 1; i < line.size() && i <= 3 && line[i] >= '0' && line[i] <= '9'; ++i) n = n * 10 + (line[i] - '0');
    return n;
}

bool is_header(const std::string& line) { return line.size() >= 2 && line[0] == '.' && line[1] >= '0' && line[1] <= '9'; }

// Section numbers in file order, up to the closing header (numbered 100 or more).
std::vector<int> headers_before_close(const TemplateTable& table, bool* closed) {
    std::vector<int> numbers;
    *closed = false;
    for (const auto& line : table.lines()) {
        if (!is_header(line)) continue;
        const int n = header_number(line);
        if (n >= 100) {
            *closed = true;
            break;
        }
        numbers.push_back(n);
    }
    return numbers;
}

// The body of section no: the lines after its header up to, not including, the ".." line.
// `terminated` tells whether a ".." line was found before any other header.
std::vector<std::string> body_of(const TemplateTable& table, int no, bool* terminated) {
    std::vector<std::string> body;
    *terminated = false;
    const auto& lines = table.lines();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!is_header(lines[i]) || header_number(lines[i]) != no) continue;
        for (std::size_t k = i + 1; k < lines.size(); ++k) {
            if (lines[k].rfind("..", 0) == 0) {
                *terminated = true;
                return body;
            }
            if (is_header(lines[k])) return body;
            body.push_back(lines[k]);
        }
        return body;
    }
    return body;
}

bool has_marker(const std::vector<std::string>& body, char marker) {
    return std::any_of(body.begin(), body.end(), [&](const std::string& l) { return !l.empty() && l[0] == marker; });
}

// A page that shows nothing but line breaks and blanks is empty to the reader.
bool shows_text(const std::string& page) {
    return page.find_first_not_of(" \r\n") != std::string::npos;
}

void expect_catalogue_matches(const TemplateTable& table, const std::vector<Section>& catalogue, const char* file) {
    for (const auto& s : catalogue) {
        SCOPED_TRACE(std::string(file) + " section " + std::to_string(s.no));
        ASSERT_TRUE(table.has_section(s.no)) << "missing";
        bool terminated = false;
        const auto body = body_of(table, s.no, &terminated);
        EXPECT_TRUE(terminated) << "not closed by a \"..\" line before the next header";
        EXPECT_EQ(has_marker(body, '+'), s.sub1) << (s.sub1 ? "lacks a \"+\" line for text_sub1" : "has a \"+\" line, but text_sub1 is not set for it");
        EXPECT_EQ(has_marker(body, '*'), s.sub2) << (s.sub2 ? "lacks a \"*\" line for text_sub2" : "has a \"*\" line, but text_sub2 is not set for it");
        for (const auto& line : body) {
            // A "." line with anything after it is a header typed without its number, or a stray.
            if (!line.empty() && line[0] == '.') { EXPECT_EQ(line, ".") << "odd line break line"; }
            EXPECT_FALSE(line.empty()) << "empty line in the body (it would add nothing, probably a slip)";
        }
    }
}

void expect_only_catalogued_sections(const TemplateTable& table, const std::vector<Section>& catalogue, const char* file) {
    bool closed = false;
    const auto numbers = headers_before_close(table, &closed);
    EXPECT_TRUE(closed) << file << " is not closed by a header numbered 100 or more";
    std::set<int> expected;
    for (const auto& s : catalogue) expected.insert(s.no);
    std::set<int> seen;
    for (int n : numbers) {
        EXPECT_TRUE(expected.count(n)) << file << " has section " << n << ", which nothing composes (a mistyped number?)";
        EXPECT_TRUE(seen.insert(n).second) << file << " has section " << n << " twice; only the first is ever used";
    }
}

TEST(TextTable, HasEverySectionTheGameComposesWithItsSubstitutions) {
    expect_only_catalogued_sections(text_table(), kTextSections, "Text.ini");
    expect_catalogue_matches(text_table(), kTextSections, "Text.ini");
}

TEST(TextTable, EverySectionComposesIntoPagesThatShowText) {
    for (const auto& s : kTextSections) {
        SCOPED_TRACE("Text.ini section " + std::to_string(s.no));
        PageStore store;
        text_table().compose(s.no, s.sub1 ? s.sample1 : kStale1, s.sub2 ? s.sample2 : kStale2, store);
        ASSERT_LT(store.page_no, kTextPages) << "runs past the page store";
        for (std::size_t p = 0; p < store.pages.size(); ++p) EXPECT_TRUE(shows_text(store.pages[p])) << "page " << p << " is empty";
        const std::string& last = store.pages.back();
        EXPECT_TRUE(last.size() >= 2 && last.compare(last.size() - 2, 2, "\r\n") == 0) << "does not end its last line";
        std::string all;
        for (const auto& page : store.pages) all += page;
        if (s.sub1) { EXPECT_NE(all.find(s.sample1), std::string::npos) << "text_sub1 does not appear"; }
        if (s.sub2) { EXPECT_NE(all.find(s.sample2), std::string::npos) << "text_sub2 does not appear"; }
        EXPECT_EQ(all.find(kStale1), std::string::npos) << "prints a text_sub1 its callers never set";
        EXPECT_EQ(all.find(kStale2), std::string::npos) << "prints a text_sub2 its callers never set";
    }
}

TEST(TextTable, OnlyBattleNarrationTurnsThePage) {
    // A year may hold some fifteen events in forty pages, so ordinary events share a page and only
    // a battle opens a new one.
    for (const auto& s : kTextSections) {
        bool terminated = false;
        const auto body = body_of(text_table(), s.no, &terminated);
        if (!kBattleSections.count(s.no)) { EXPECT_FALSE(has_marker(body, '/')) << "section " << s.no << " turns the page"; }
    }
}

TEST(TextTable, AYearOfSixteenWarsFitsThePageStore) {
    // Every entry of the four offer lists is a war that ends in a victory with every aftermath:
    // the longest year the templates can tell. The war itself turns one page after the verdict.
    const auto sample = [](int no, bool first) {
        for (const auto& s : kTextSections)
            if (s.no == no) return std::string(first ? (s.sample1 ? s.sample1 : "") : (s.sample2 ? s.sample2 : ""));
        return std::string();
    };
    PageStore store;
    store.append("＝＝ 　189年　＝＝\r\n");
    for (int war = 0; war < 16; ++war) {
        for (int no : {12, 16, 34, 50, 51, 49, 17, 19, 19, 19, 19, 35}) text_table().compose(no, sample(no, true), sample(no, false), store);
        store.next_slot();
        for (int no : {42, 54, 55, 13, 37}) text_table().compose(no, sample(no, true), sample(no, false), store);
    }
    EXPECT_LT(store.page_no, kTextPages);
}

TEST(TextTable, MainScreenReportSectionsStayInOneSlot) {
    // The year-end report hands slot 0 of the main screen's buffer to the message window.
    SlotTextStore slots;
    for (int no : {11, 38, 45}) text_table().compose(no, "袁術", "楊弘", slots);
    EXPECT_EQ(slots.text_idx, 0);
    EXPECT_NE(slots.text_buf[0].find("楊弘"), std::string::npos);
}

TEST(CommandTable, HasEveryExplanationAndScenarioDescription) {
    expect_only_catalogued_sections(command_table(), kCommandSections, "Command.ini");
    expect_catalogue_matches(command_table(), kCommandSections, "Command.ini");
}

TEST(CommandTable, EverySectionComposesToItsWholeText) {
    // On the title and strategy screens a "/" line empties the text: everything before it is lost.
    for (const auto& s : kCommandSections) {
        SCOPED_TRACE("Command.ini section " + std::to_string(s.no));
        bool terminated = false;
        EXPECT_FALSE(has_marker(body_of(command_table(), s.no, &terminated), '/'));
        SingleTextStore store;
        command_table().compose(s.no, s.sub1 ? s.sample1 : kStale1, s.sub2 ? s.sample2 : kStale2, store);
        EXPECT_TRUE(shows_text(store.text));
        if (s.sub1) { EXPECT_NE(store.text.find(s.sample1), std::string::npos); }
        if (s.sub2) { EXPECT_NE(store.text.find(s.sample2), std::string::npos); }
        EXPECT_EQ(store.text.find(kStale1), std::string::npos);
        EXPECT_EQ(store.text.find(kStale2), std::string::npos);
    }
}

TEST(ProseFiles, AreUtf8WithCrLfAndFitShiftJis) {
    // The game folder must also work when converted for a Shift-JIS system.
    for (const char* name : {"Text.ini", "Command.ini"}) {
        SCOPED_TRACE(name);
        std::ifstream in(data_dir() / "ini" / name, std::ios::binary);
        ASSERT_TRUE(in) << "cannot open";
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_FALSE(bytes.empty());
        EXPECT_NE(bytes.rfind("\xEF\xBB\xBF", 0), 0u) << "starts with a byte order mark";
        EXPECT_TRUE(is_valid_utf8(bytes));
        EXPECT_TRUE(cp932_can_hold(bytes)) << "holds a character Shift-JIS cannot";
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\n') {
                ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at byte " << i;
            } else if (bytes[i] == '\r') {
                ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR at byte " << i;
            }
        }
        EXPECT_EQ(bytes.compare(bytes.size() - 2, 2, "\r\n"), 0) << "last line not ended";
    }
}

}  // namespace
