// Every picture the shipped game asks for decodes as an image of its size, through the same
// loader the screens use; a missing or unreadable picture is an empty one.

#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>
#include <filesystem>
#include <map>
#include <string>

#include "media/pictures.h"
#include "test_support.h"
#include "ui/pictures.h"
#include "world/game_folder.h"
#include "world/record_file.h"
#include "world/records.h"

namespace teijinki {
namespace {

using testing::TempGameFolder;

QImage decode(const GameFolder& folder, const std::string& name) {
    const auto file = picture_file(folder, name);
    if (!file) return {};
    QImageReader reader(QString::fromStdString(file->string()));
    return reader.read();
}

TEST(Portraits, EveryPortraitOfTheShippedMastersLoadsAtPortraitSize) {
    const GameFolder folder(TEIJINKI_DATA_DIR);
    std::map<std::string, std::string> named;
    for (const char* master : {"\\ini\\Bushou1.ini", "\\ini\\Bushou2.ini", "\\ini\\Bushou.ini"}) {
        const auto text = folder.read_text_if_present(master);
        ASSERT_TRUE(text) << GameFolder::display_name(master) << " is missing";
        const std::string label = GameFolder::display_name(master);
        scan_records(*text, RecordKind::General, label, [&](const RecordLines& r) {
            Bushou b;
            parse_general(r, label, b);
            if (!b.jpg.empty()) named.emplace(b.jpg, label + " ." + std::to_string(r.id));
            return true;
        });
    }
    named.emplace(kMissingGeneralPortrait, "the foot soldier");
    for (const char* credit : {"kanu2", "enjutu2", "koumei1", "shougun1"}) named.emplace(credit, "the credits");
    ASSERT_GT(named.size(), 100u);
    for (const auto& [name, where] : named) {
        const QImage image = decode(folder, name);
        ASSERT_FALSE(image.isNull()) << "CG/" << name << ".jpg of " << where << " does not load";
        EXPECT_EQ(image.size(), QSize(120, 150)) << name;
        EXPECT_LE(std::filesystem::file_size(*picture_file(folder, name)), 12u * 1024) << name << " is too large";
        const QPixmap shown = ui::load_cg(folder, name);
        EXPECT_EQ(shown.size(), QSize(120, 150)) << name << " through the screens' loader";
    }
    for (const char* scene : {"eiyu3", "eiyu3mono"}) EXPECT_EQ(decode(folder, scene).size(), QSize(240, 180)) << scene;
    EXPECT_TRUE(decode(folder, "eiyu3mono").isGrayscale());
    EXPECT_EQ(decode(folder, "title").size(), QSize(640, 400));
    EXPECT_EQ(QImage(QString::fromStdString(TEIJINKI_DATA_DIR "/icons/teijinki.png"), "PNG").size(), QSize(256, 256));
}

TEST(Portraits, AMissingDamagedOrUnsafePictureIsEmpty) {
    TempGameFolder dir;
    dir.write("CG/broken.jpg", "\xFF\xD8\xFF\xE0 not really a picture");
    dir.write("CG/empty.jpg", "");
    const auto good = read_bytes(GameFolder(TEIJINKI_DATA_DIR).resolve("CG\\zouhyou1.jpg"));
    ASSERT_TRUE(good);
    dir.write("CG/ZOUHYOU1.JPG", *good);
    dir.write("ini/outside.jpg", *good);
    const GameFolder folder = dir.folder();
    EXPECT_TRUE(ui::load_cg(folder, "broken").isNull());
    EXPECT_TRUE(ui::load_cg(folder, "empty").isNull());
    EXPECT_TRUE(ui::load_cg(folder, "absent").isNull());
    EXPECT_TRUE(ui::load_cg(folder, "").isNull());
    EXPECT_FALSE(ui::load_cg(folder, "zouhyou1").isNull()) << "letter case of the file does not matter";
    EXPECT_FALSE(picture_file(folder, "../ini/outside")) << "a name must not lead out of CG/";
}

}  // namespace
}  // namespace teijinki
