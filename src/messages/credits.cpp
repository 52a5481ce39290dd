#include "messages/credits.h"

#include <string>

#include "world/template_composer.h"

namespace teijinki {

namespace {

std::string blank_lines(int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += kCrLf;
    return out;
}

// The text sits low in the text area, so every page starts with empty lines.
std::string thanks_page(std::initializer_list<const char*> lines) {
    std::string page = blank_lines(8) + " Special Thanks" + kCrLf + kCrLf;
    for (const char* line : lines) {
        page += line;
        page += kCrLf;
    }
    return page;
}

}  // namespace

void credit(PageStore& pages) {
    pages.page_text[0] = thanks_page({"　　　　　題字・書体", "　　　　　　墨と筆の手習い帳の皆さん", "　　　　　　https://example.org/fude/"});
    pages.page_text[1] = thanks_page({"　　　　　肖像画", "　　　　　　絵巻の会", "　　　　　　https://example.org/emaki/"});
    pages.page_text[2] = thanks_page({"　　　　　音楽", "　　　　　　古楽を奏でる友人たち", "　　　　　　https://example.org/gaku/"});
    pages.page_text[3] = thanks_page({"　　　　　試遊と助言", "　　　　　　三国志を愛する遊び仲間", "　　　　　　https://example.org/asobi/"});
    pages.page_text[4] = blank_lines(20) + "　　　　　Produced by" + kCrLf + "　　　　　　鼎陣記制作室" + kCrLf;
    // Short lines: the roll's narrow text area never has to break one inside a word.
    pages.page_text[5] = blank_lines(20) + "　　　　　Produced by" + kCrLf + "　　　　　　鼎陣記制作室" + kCrLf +
                         "　　　　　　遊んでいただき、" + kCrLf + "　　　　　　ありがとうございました" + kCrLf;
    pages.page_text[6] = kEndOfText;
    const char* portraits[] = {"kanu2", "enjutu2", "koumei1", "shougun1"};
    for (int i = 0; i <= 5; ++i) {
        pages.page_cg[i] = i <= 3 ? portraits[i] : "";
        pages.page_caption[i] = "";
    }
}

}  // namespace teijinki
