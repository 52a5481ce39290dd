#include "world/game_folder.h"

#include <fcntl.h>
#include <sys/statvfs.h>
#include <stdio.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "world/error.h"

namespace fs = std::filesystem;

namespace teijinki {

namespace {

std::string lower_ascii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::vector<std::string> literal_parts(std::string_view literal) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : literal) {
        if (c == '\\' || c == '/') {
            if (!current.empty()) parts.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) parts.push_back(current);
    return parts;
}

bool write_all(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

GameFolder::GameFolder(fs::path root) : root_(std::move(root)) {}

std::string GameFolder::display_name(std::string_view literal) {
    std::string out;
    for (const auto& part : literal_parts(literal)) {
        if (!out.empty()) out += '/';
        out += part;
    }
    return out;
}

fs::path GameFolder::resolve(std::string_view literal) const {
    fs::path path = root_;
    for (const auto& part : literal_parts(literal)) {
        fs::path exact = path / part;
        std::error_code ec;
        if (fs::exists(exact, ec)) {
            path = exact;
            continue;
        }
        // Look for the same name in another letter case.
        const std::string wanted = lower_ascii(part);
        fs::path found;
        for (const auto& entry : fs::directory_iterator(path, ec)) {
            if (lower_ascii(entry.path().filename().string()) == wanted) {
                found = entry.path();
                break;
            }
        }
        path = found.empty() ? exact : found;
    }
    return path;
}

bool GameFolder::exists(std::string_view literal) const {
    std::error_code ec;
    return fs::exists(resolve(literal), ec);
}

Encoding GameFolder::encoding() const {
    if (!encoding_) {
        encoding_ = Encoding::Utf8;
        for (const char* probe : {"\\ini\\Text.ini", "\\ini\\busv.ini", "\\ini\\Command.ini"}) {
            if (auto bytes = read_bytes(resolve(probe))) {
                if (!is_valid_utf8(*bytes)) encoding_ = Encoding::ShiftJis;
                break;
            }
        }
    }
    return *encoding_;
}

std::optional<std::string> read_bytes(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string bytes;
    char buffer[16384];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return bytes;
}

std::string decode_text(std::string_view bytes, const std::string& label) {
    if (is_valid_utf8(bytes)) return std::string(bytes);
    if (auto text = to_utf8(bytes, Encoding::ShiftJis)) return *text;
    throw DataError(label, "not readable as UTF-8 or Shift-JIS text (a broken byte)");
}

std::string GameFolder::read_text(std::string_view literal) const {
    const fs::path path = resolve(literal);
    auto bytes = read_bytes(path);
    if (!bytes) {
        std::error_code ec;
        throw DataError(display_name(literal), fs::exists(path, ec) ? "cannot be read" : "file not found");
    }
    return decode_text(*bytes, display_name(literal));
}

std::string GameFolder::read_master_text(std::string_view literal) const {
    std::string text = read_text(literal);
    // A broken byte inside a Shift-JIS file can pair with its neighbour into a valid character
    // and leave a stray DEL or control byte behind, which decodes without complaint.
    int line = 1;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\n') ++line;
        if ((c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7F) {
            char code[8];
            std::snprintf(code, sizeof code, "0x%02X", c);
            throw DataError(display_name(literal), "line " + std::to_string(line) + " holds the control byte " +
                                                       code + " (a damaged byte)");
        }
    }
    return text;
}

std::optional<std::string> GameFolder::read_text_if_present(std::string_view literal) const {
    const fs::path path = resolve(literal);
    auto bytes = read_bytes(path);
    if (!bytes) return std::nullopt;
    return decode_text(*bytes, display_name(literal));
}

std::string GameFolder::encode(std::string_view utf8) const {
    const Encoding target = encoding();
    if (auto encoded = from_utf8(utf8, target)) return *encoded;
    std::string out;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        std::size_t len = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : 4;
        if (i + len > utf8.size()) len = utf8.size() - i;
        if (auto piece = from_utf8(utf8.substr(i, len), target))
            out += *piece;
        else
            out += '?';
        i += len;
    }
    return out;
}

void write_bytes_atomic(const fs::path& path, std::string_view bytes, const std::string& label) {
    static std::atomic<unsigned> counter{0};
    const fs::path temp = path.parent_path() /
        ("." + path.filename().string() + ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) throw DataError(label, std::string("cannot be written: ") + std::strerror(errno));
    const bool ok = write_all(fd, bytes);
    const int saved = errno;
    if (::close(fd) != 0 || !ok) {
        ::unlink(temp.c_str());
        throw DataError(label, std::string("cannot be written: ") + std::strerror(ok ? errno : saved));
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        throw DataError(label, std::string("cannot be replaced: ") + std::strerror(err));
    }
}

void GameFolder::write_text(std::string_view literal, std::string_view utf8) const {
    write_bytes_atomic(resolve(literal), encode(utf8), display_name(literal));
}

void write_bytes_scratch(const fs::path& path, std::string_view bytes, const std::string& label) {
    ::unlink(path.c_str());
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) throw DataError(label, std::string("cannot be written: ") + std::strerror(errno));
    const bool ok = write_all(fd, bytes);
    const int err = errno;
    if (::close(fd) != 0 || !ok) throw DataError(label, std::string("cannot be written: ") + std::strerror(err));
}

void GameFolder::replace_keeping_old(std::string_view literal, std::string_view scratch, std::string_view utf8) const {
    const fs::path path = resolve(literal);
    const fs::path scratch_path = resolve(scratch);
    const std::string label = display_name(literal);
    const std::string bytes = encode(utf8);
    // The new content goes into the scratch file, overwritten in place: creating and freeing
    // files is what costs on this disk, reusing one costs almost nothing. Nothing reads the
    // scratch file, so a crash while it is written loses nothing.
    const int fd = ::open(scratch_path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) throw DataError(display_name(scratch), std::string("cannot be written: ") + std::strerror(errno));
    const bool ok = write_all(fd, bytes) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0;
    const int saved = errno;
    if (::close(fd) != 0 || !ok)
        throw DataError(display_name(scratch), std::string("cannot be written: ") + std::strerror(ok ? errno : saved));
    // One atomic exchange: the working file gets the new content, the scratch name the old.
    if (::renameat2(AT_FDCWD, scratch_path.c_str(), AT_FDCWD, path.c_str(), RENAME_EXCHANGE) == 0) return;
    // No working file yet, or a file system that cannot exchange: rename over it, then leave the
    // old bytes (if any) under the scratch name.
    auto old = read_bytes(path);
    if (::rename(scratch_path.c_str(), path.c_str()) != 0)
        throw DataError(label, std::string("cannot be replaced: ") + std::strerror(errno));
    if (old) write_bytes_scratch(scratch_path, *old, display_name(scratch));
}

void GameFolder::ensure_free_space(std::string_view literal_dir, unsigned long long bytes) const {
    struct statvfs info {};
    if (::statvfs(resolve(literal_dir).c_str(), &info) != 0) return;  // cannot tell: let the writes speak
    const unsigned long long available = static_cast<unsigned long long>(info.f_bavail) * info.f_frsize;
    if (available < bytes)
        throw DataError(display_name(literal_dir), "No space left on the disk: " + std::to_string(bytes / 1024) +
                                                       " KB are needed, " + std::to_string(available / 1024) +
                                                       " KB are free");
}

void GameFolder::copy_file(std::string_view from, std::string_view to) const {
    auto bytes = read_bytes(resolve(from));
    if (!bytes) throw DataError(display_name(from), "file not found");
    write_bytes_atomic(resolve(to), *bytes, display_name(to));
}

std::vector<std::string> split_lines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
            ++i;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < n) lines.emplace_back(text.substr(start));
    return lines;
}

}  // namespace teijinki
