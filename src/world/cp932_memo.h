#pragma once
// What the converter makes of each character a Shift-JIS folder writes, kept once the character
// has come back from a read as it went in. A year rewrites the same names and words again and
// again: the characters met before are put into their bytes here, without the converter either
// way, and a new one goes through it once.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace teijinki {

class Cp932Memo {
public:
    // Appends the Shift-JIS bytes of utf8 to out, as the converter makes them, and returns true
    // when every character in it comes back from a read as it went in. Otherwise (a character the
    // code page lacks or maps two ways, or broken UTF-8) returns false and leaves out as it was.
    bool encode(std::string_view utf8, std::string& out);
    // The characters learnt so far.
    std::size_t size() const { return size_; }

private:
    struct Entry {
        char32_t character = 0;  // 0: an empty slot (NUL is plain ASCII, never kept)
        std::uint16_t code = 0;  // one byte (a half-width kana), or a lead byte and a trail byte
    };
    // Writes the bytes of utf8's characters from `from` on while they are known; returns where it
    // stopped (utf8.size() when at the end).
    std::size_t encode_known(std::string_view utf8, std::size_t from, char*& to) const;
    // Puts the characters of utf8 not known yet through the converter, all in one piece there and
    // back, and learns them; false when one of them does not come back as it went.
    bool learn_new_characters(std::string_view utf8);
    // Learns from a text and the bytes the converter made of it, which read back as the text.
    void learn(std::string_view utf8, std::string_view bytes);
    const Entry* find(char32_t character) const;
    void insert(Entry entry);

    // Open addressing: a look-up is a multiplication and a probe or two, where the converter
    // spends some forty instructions a byte. A game meets about a thousand characters.
    std::vector<Entry> slots_;
    std::size_t size_ = 0;
};

}  // namespace teijinki
