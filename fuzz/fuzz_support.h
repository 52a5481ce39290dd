#pragma once
// A game folder for the fuzz targets, made once per process in memory-backed storage when there
// is some, and removed at exit.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "world/game_folder.h"
#include "world/shared_values.h"

namespace fuzz {

inline const std::filesystem::path& folder_root() {
    static const std::filesystem::path root = [] {
        const char* base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::string pattern = std::string(base) + "/teijinki-fuzz-XXXXXX";
        if (!::mkdtemp(pattern.data())) std::abort();
        std::filesystem::create_directories(std::filesystem::path(pattern) / "ini");
        std::filesystem::create_directories(std::filesystem::path(pattern) / "save");
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(folder_root(), ec);
        });
        return std::filesystem::path(pattern);
    }();
    return root;
}

// Writes bytes as they are (relative path with '/').
inline void put(const std::string& relative, std::string_view bytes) {
    teijinki::write_bytes_scratch(folder_root() / relative, bytes, relative);
}

// Takes a small number from the front of the input.
inline int take(const std::uint8_t*& data, std::size_t& size, int modulo) {
    if (size == 0) return 0;
    const int v = data[0] % modulo;
    ++data;
    --size;
    return v;
}

// A template table every folder needs to know its encoding.
inline void put_text_table() { put("ini/Text.ini", ".001\r\nx\r\n..\r\n"); }

}  // namespace fuzz
