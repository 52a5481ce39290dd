#include "world/cp932_memo.h"

#include <algorithm>

#include "world/encoding.h"

namespace teijinki {

namespace {

// The character starting at text[i] (not ASCII) and its length in bytes; 0 when it is broken.
inline std::size_t next_character(std::string_view text, std::size_t i, char32_t& character) {
    const auto c = static_cast<unsigned char>(text[i]);
    // Kanji and kana, nearly every character met, take three bytes.
    if ((c & 0xF0) == 0xE0 && i + 2 < text.size()) {
        const auto d = static_cast<unsigned char>(text[i + 1]), e = static_cast<unsigned char>(text[i + 2]);
        if ((d & 0xC0) == 0x80 && (e & 0xC0) == 0x80) {
            character = static_cast<char32_t>((c & 0x0F) << 12 | (d & 0x3F) << 6 | (e & 0x3F));
            return character >= 0x800 ? 3 : 0;  // fewer bits would fit in two bytes
        }
    }
    const std::size_t len = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    if (i + len > text.size()) return 0;
    character = c & (0x7Fu >> len);
    for (std::size_t k = 1; k < len; ++k) {
        const auto d = static_cast<unsigned char>(text[i + k]);
        if ((d & 0xC0) != 0x80) return 0;
        character = (character << 6) | (d & 0x3F);
    }
    // As the converter does, a character spelled longer than it needs is refused; so is a byte
    // that starts none (a continuation byte, or one UTF-8 never holds: length 0), whose value
    // is below every least. Surrogates and values past U+10FFFF need no look: only characters
    // the converter took are ever known, and it takes none of them.
    const char32_t least = len == 2 ? 0x80 : len == 3 ? 0x800 : 0x10000;
    if (character < least) return 0;
    return len;
}

bool is_lead_byte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

std::size_t plain_run_end(std::string_view text, std::size_t i) {
    while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80) ++i;
    return i;
}

std::size_t slot_of(char32_t character, std::size_t slots) {
    return static_cast<std::size_t>((static_cast<std::uint32_t>(character) * 0x9E3779B1u) >> 8) & (slots - 1);
}

}  // namespace

const Cp932Memo::Entry* Cp932Memo::find(char32_t character) const {
    if (slots_.empty()) return nullptr;
    for (std::size_t i = slot_of(character, slots_.size());; i = (i + 1) & (slots_.size() - 1)) {
        const Entry& e = slots_[i];
        if (e.character == character) return &e;
        if (e.character == 0) return nullptr;
    }
}

void Cp932Memo::insert(Entry entry) {
    if ((size_ + 1) * 10 > slots_.size() * 7) {  // kept under 70 % full
        std::vector<Entry> old = std::move(slots_);
        slots_.assign(old.empty() ? 1024 : old.size() * 2, Entry{});
        size_ = 0;
        for (const Entry& e : old)
            if (e.character != 0) insert(e);
    }
    std::size_t i = slot_of(entry.character, slots_.size());
    while (slots_[i].character != 0 && slots_[i].character != entry.character) i = (i + 1) & (slots_.size() - 1);
    if (slots_[i].character == 0) ++size_;
    slots_[i] = entry;
}

bool Cp932Memo::encode(std::string_view utf8, std::string& out) {
    const std::size_t was = out.size();
    // No character takes more bytes in Shift-JIS than in UTF-8: written in place, cut back after.
    out.resize(was + utf8.size());
    char* const begin = out.data() + was;
    char* to = begin;
    std::size_t from = 0;
    bool learnt = false;
    while ((from = encode_known(utf8, from, to)) != utf8.size()) {
        // At a character not known yet: those of the rest are learnt all at once, then it goes on.
        if (learnt || !learn_new_characters(utf8.substr(from))) {
            out.resize(was);
            return false;
        }
        learnt = true;
    }
    out.resize(was + static_cast<std::size_t>(to - begin));
    return true;
}

std::size_t Cp932Memo::encode_known(std::string_view utf8, std::size_t from, char*& to) const {
    const auto* const text = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t n = utf8.size();
    std::size_t i = from;
    while (i < n) {
        const unsigned char c = text[i];
        if (c < 0x80) {  // plain ASCII: the same bytes in both encodings
            *to++ = static_cast<char>(c);
            ++i;
            continue;
        }
        char32_t character = 0;
        const std::size_t len = next_character(utf8, i, character);
        const Entry* known = len == 0 ? nullptr : find(character);
        if (!known) return i;
        if (known->code > 0xFF) *to++ = static_cast<char>(known->code >> 8);
        *to++ = static_cast<char>(known->code & 0xFF);
        i += len;
    }
    return i;
}

bool Cp932Memo::learn_new_characters(std::string_view utf8) {
    // Each new character once, on a line of its own, so that the pieces line up again.
    std::vector<std::pair<char32_t, std::string_view>> fresh;
    for (std::size_t i = plain_run_end(utf8, 0); i < utf8.size(); i = plain_run_end(utf8, i)) {
        char32_t character = 0;
        const std::size_t len = next_character(utf8, i, character);
        if (len == 0) return false;
        if (!find(character)) fresh.emplace_back(character, utf8.substr(i, len));
        i += len;
    }
    auto by_character = [](const auto& a, const auto& b) { return a.first < b.first; };
    auto same_character = [](const auto& a, const auto& b) { return a.first == b.first; };
    std::sort(fresh.begin(), fresh.end(), by_character);
    fresh.erase(std::unique(fresh.begin(), fresh.end(), same_character), fresh.end());
    std::string lines;
    for (const auto& [character, c] : fresh) (lines += c) += '\n';
    const auto bytes = from_utf8(lines, Encoding::ShiftJis);
    if (bytes && to_utf8(*bytes, Encoding::ShiftJis) == lines) {
        learn(lines, *bytes);
        return true;
    }
    // One of them has no way back: the others are still learnt, one at a time.
    for (const auto& [character, c] : fresh) {
        const auto one = from_utf8(c, Encoding::ShiftJis);
        if (one && to_utf8(*one, Encoding::ShiftJis) == c) learn(c, *one);
    }
    return false;
}

void Cp932Memo::learn(std::string_view utf8, std::string_view bytes) {
    std::vector<Entry> fresh;
    std::size_t j = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        if (j >= bytes.size()) return;
        const auto c = static_cast<unsigned char>(utf8[i]);
        const auto b = static_cast<unsigned char>(bytes[j]);
        if (c < 0x80) {
            if (b != c) return;
            ++i;
            ++j;
            continue;
        }
        char32_t character = 0;
        const std::size_t len = next_character(utf8, i, character);
        if (len == 0 || b < 0x80) return;
        if (is_lead_byte(b)) {
            if (j + 1 >= bytes.size()) return;
            fresh.push_back({character, static_cast<std::uint16_t>(b << 8 | static_cast<unsigned char>(bytes[j + 1]))});
            j += 2;
        } else {
            fresh.push_back({character, b});
            ++j;
        }
        i += len;
    }
    if (j != bytes.size()) return;
    for (const Entry& e : fresh) insert(e);
}

}  // namespace teijinki
