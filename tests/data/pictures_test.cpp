// The shipped pictures: every portrait the general masters name is in CG/ as a sound JPEG of the
// portrait size, and so are the pictures the screens ask for by fixed name. A JPEG is checked by
// walking its markers (start, frame header with the size, scan, end), which is enough to catch a
// missing, truncated, mis-sized or non-JPEG file without a decoder.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "world/error.h"
#include "world/game_folder.h"
#include "world/record_file.h"
#include "world/records.h"

namespace {

using namespace teijinki;

struct JpegInfo {
    int width = 0;
    int height = 0;
    int components = 0;
    std::size_t frame_at = 0;  // offset of the frame header's length bytes
};

// Walks the marker segments of a JPEG. Returns the frame size, or nullopt with `why` set.
std::optional<JpegInfo> inspect_jpeg(const std::string& bytes, std::string& why) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
    const std::size_t n = bytes.size();
    if (n < 4 || byte(0) != 0xFF || byte(1) != 0xD8) {
        why = "no start-of-image marker";
        return std::nullopt;
    }
    std::optional<JpegInfo> frame;
    bool scanned = false;
    std::size_t pos = 2;
    while (true) {
        if (pos + 1 >= n) {
            why = "ends before the end-of-image marker";
            return std::nullopt;
        }
        if (byte(pos) != 0xFF) {
            why = "stray byte where a marker should be, at offset " + std::to_string(pos);
            return std::nullopt;
        }
        while (pos < n && byte(pos) == 0xFF) ++pos;  // fill bytes
        if (pos >= n) {
            why = "ends inside a marker";
            return std::nullopt;
        }
        const std::uint8_t marker = byte(pos++);
        if (marker == 0xD9) {
            if (!frame || !scanned) {
                why = frame ? "no image scan" : "no frame header";
                return std::nullopt;
            }
            if (pos != n) {
                why = std::to_string(n - pos) + " bytes after the end-of-image marker";
                return std::nullopt;
            }
            return frame;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;  // no length
        if (pos + 2 > n) {
            why = "ends inside a segment length";
            return std::nullopt;
        }
        const std::size_t length = (std::size_t{byte(pos)} << 8) | byte(pos + 1);
        if (length < 2 || pos + length > n) {
            why = "segment runs past the end of the file";
            return std::nullopt;
        }
        const bool is_frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (is_frame) {
            if (length < 8) {
                why = "frame header too short";
                return std::nullopt;
            }
            JpegInfo info;
            info.height = (byte(pos + 3) << 8) | byte(pos + 4);
            info.width = (byte(pos + 5) << 8) | byte(pos + 6);
            info.components = byte(pos + 7);
            info.frame_at = pos;
            frame = info;
        }
        pos += length;
        if (marker == 0xDA) {
            if (!frame) {
                why = "image scan before the frame header";
                return std::nullopt;
            }
            scanned = true;
            // Entropy-coded data: runs to the next marker that is neither a stuffed 0xFF00
            // nor a restart marker.
            while (pos + 1 < n && !(byte(pos) == 0xFF && byte(pos + 1) != 0x00 &&
                                    !(byte(pos + 1) >= 0xD0 && byte(pos + 1) <= 0xD7)))
                ++pos;
        }
    }
}

std::string read_all(const std::filesystem::path& path) {
    auto bytes = read_bytes(path);
    return bytes ? *bytes : std::string();
}

GameFolder shipped() { return GameFolder(TEIJINKI_DATA_DIR); }

std::filesystem::path picture_path(const std::string& base) { return shipped().resolve("CG\\" + base + ".jpg"); }

// The problems of one picture, or "" when it is sound.
std::string check_picture(const std::string& base, int width, int height, std::size_t max_bytes = 0) {
    const auto path = picture_path(base);
    if (!std::filesystem::exists(path)) return "CG/" + base + ".jpg is missing";
    const std::string bytes = read_all(path);
    std::string why;
    const auto info = inspect_jpeg(bytes, why);
    if (!info) return "CG/" + base + ".jpg: " + why;
    if (info->width != width || info->height != height)
        return "CG/" + base + ".jpg is " + std::to_string(info->width) + " x " + std::to_string(info->height) +
               ", not " + std::to_string(width) + " x " + std::to_string(height);
    if (max_bytes && bytes.size() > max_bytes)
        return "CG/" + base + ".jpg has " + std::to_string(bytes.size()) + " bytes, more than " +
               std::to_string(max_bytes);
    return "";
}

bool plain_file_name(const std::string& name) {
    if (name.empty()) return false;
    for (char c : name) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
        if (!ok) return false;
    }
    return true;
}

constexpr int kPortraitWidth = 120;
constexpr int kPortraitHeight = 150;
constexpr std::size_t kPortraitBytes = 12 * 1024;

TEST(ShippedPictures, EveryPortraitNamedByAGeneralMasterIsASoundJpegOfPortraitSize) {
    const GameFolder folder = shipped();
    std::map<std::string, std::string> named;  // picture -> first record naming it
    for (const char* master : {"\\ini\\Bushou1.ini", "\\ini\\Bushou2.ini", "\\ini\\Bushou.ini"}) {
        const std::string label = GameFolder::display_name(master);
        std::string text;
        ASSERT_NO_THROW(text = folder.read_text(master)) << label;
        int records = 0;
        scan_records(text, RecordKind::General, label, [&](const RecordLines& record) {
            Bushou b;
            parse_general(record, label, b);
            ++records;
            if (b.jpg.empty()) return true;
            const std::string where = label + " record ." + std::to_string(record.id) + " (" + b.name + ")";
            // A name with separators would lead the picture loader out of CG/.
            EXPECT_TRUE(plain_file_name(b.jpg)) << where << ": picture name \"" << b.jpg << "\"";
            named.emplace(b.jpg, where);
            return true;
        });
        EXPECT_GT(records, 0) << label << " holds no general";
    }
    ASSERT_FALSE(named.empty());
    for (const auto& [jpg, where] : named) {
        if (!plain_file_name(jpg)) continue;
        const std::string problem = check_picture(jpg, kPortraitWidth, kPortraitHeight, kPortraitBytes);
        EXPECT_EQ(problem, "") << "portrait of " << where;
    }
}

TEST(ShippedPictures, PicturesAskedForByFixedNameArePresent) {
    // The foot soldier stands in for a general who cannot be found.
    EXPECT_EQ(check_picture(kMissingGeneralPortrait, kPortraitWidth, kPortraitHeight, kPortraitBytes), "");
    // Credits roll: one portrait per page 0 to 3, the scene on its last pages.
    for (const char* credit : {"kanu2", "enjutu2", "koumei1", "shougun1"})
        EXPECT_EQ(check_picture(credit, kPortraitWidth, kPortraitHeight, kPortraitBytes), "");
    EXPECT_EQ(check_picture("eiyu3", 240, 180), "");
    EXPECT_EQ(check_picture("eiyu3mono", 240, 180), "");
    std::string why;
    const auto mono = inspect_jpeg(read_all(picture_path("eiyu3mono")), why);
    ASSERT_TRUE(mono) << why;
    EXPECT_EQ(mono->components, 1) << "eiyu3mono.jpg should be a grey-scale picture";
    // Title splash.
    EXPECT_EQ(check_picture("title", 640, 400), "");
}

TEST(ShippedPictures, ProgramIconIsA256PixelPng) {
    const std::string png = read_all(std::filesystem::path(TEIJINKI_DATA_DIR) / "icons" / "teijinki.png");
    ASSERT_GE(png.size(), 24u) << "data/icons/teijinki.png is missing or too short";
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(png.substr(12, 4), "IHDR");
    const auto be32 = [&](std::size_t i) {
        return (std::uint32_t(std::uint8_t(png[i])) << 24) | (std::uint32_t(std::uint8_t(png[i + 1])) << 16) |
               (std::uint32_t(std::uint8_t(png[i + 2])) << 8) | std::uint32_t(std::uint8_t(png[i + 3]));
    };
    EXPECT_EQ(be32(16), 256u);
    EXPECT_EQ(be32(20), 256u);
}

// The marker walk must tell damaged files from sound ones, or the checks above prove nothing.
TEST(JpegCheck, RejectsDamagedFilesAndReadsTheFrameSize) {
    const std::string good = read_all(picture_path(kMissingGeneralPortrait));
    ASSERT_FALSE(good.empty()) << "CG/zouhyou1.jpg is needed as a sample";
    std::string why;
    const auto info = inspect_jpeg(good, why);
    ASSERT_TRUE(info) << why;
    EXPECT_EQ(info->width, kPortraitWidth);
    EXPECT_EQ(info->height, kPortraitHeight);

    EXPECT_FALSE(inspect_jpeg("", why));
    EXPECT_FALSE(inspect_jpeg("\x89PNG\r\n\x1a\n and more bytes", why));
    EXPECT_FALSE(inspect_jpeg(good.substr(0, good.size() / 2), why)) << "a file cut in half";
    EXPECT_FALSE(inspect_jpeg(good.substr(0, good.size() - 2), why)) << "a file without its end marker";
    EXPECT_FALSE(inspect_jpeg(good + "trailing", why)) << "bytes after the end marker";

    // A segment whose length points past the end of the file.
    std::string overrun = good;
    overrun[4] = '\x7F';
    overrun[5] = '\x7F';
    EXPECT_FALSE(inspect_jpeg(overrun.substr(0, 2000), why));

    // A frame header edited to another size is read as that size.
    std::string resized = good;
    resized[info->frame_at + 5] = 0;
    resized[info->frame_at + 6] = 99;  // width 99
    const auto edited = inspect_jpeg(resized, why);
    ASSERT_TRUE(edited) << why;
    EXPECT_EQ(edited->width, 99);
}

}  // namespace
