// Checks of the picture generator: how it reads the general masters (what it paints, what it
// refuses and says), and that its pictures differ by person and post, stay the same from run to
// run and fit the file budget.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSet>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <cstdio>

#include "ink.h"
#include "masters.h"
#include "portrait.h"
#include "scenes.h"

namespace {

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
  const QString path = dir.filePath(name);
  QFile f(path);
  f.open(QIODevice::WriteOnly);
  f.write(bytes);
  return path;
}

QByteArray record(int id, const QByteArray& name, int job, const QByteArray& jpg) {
  return "." + QByteArray::number(id) + "\r\n\"" + name + "\"\r\n5,6,7,8\r\n9,10\r\n1," + QByteArray::number(job) +
         "\r\n\"" + jpg + "\"\r\n";
}

bool mentions(const QStringList& lines, const QString& a, const QString& b = {}) {
  for (const QString& l : lines)
    if (l.contains(a) && (b.isEmpty() || l.contains(b))) return true;
  return false;
}

TEST(MasterReading, TakesEachPictureOnceWithNameAndPost) {
  QTemporaryDir dir;
  const QByteArray text = record(1, "曹操", 5, "sousou1") + "stray line\r\n" + record(2, "荀彧", 1, "junniku1") +
                          record(3, "曹操", 5, "SouSou1") +  // same picture in another letter case
                          record(4, "無名", 2, "");           // no portrait wanted
  MasterScan scan;
  readGeneralMaster(writeFile(dir, "Bushou1.ini", text), scan);
  EXPECT_TRUE(scan.problems.isEmpty()) << scan.problems.join('\n').toStdString();
  ASSERT_EQ(scan.subjects.size(), 2);
  EXPECT_EQ(scan.subjects[0].jpg, "sousou1");
  EXPECT_EQ(scan.subjects[0].name, QString::fromUtf8("曹操"));
  EXPECT_EQ(scan.subjects[0].job, 5);
  EXPECT_EQ(scan.subjects[1].jpg, "junniku1");
  EXPECT_EQ(scan.subjects[1].job, 1);

  // A second master naming the same picture for someone else is told, not painted twice.
  MasterScan again = scan;
  readGeneralMaster(writeFile(dir, "Bushou2.ini", record(1, "劉備", 5, "sousou1")), again);
  EXPECT_EQ(again.subjects.size(), 2);
  EXPECT_TRUE(mentions(again.notes, "sousou1", QString::fromUtf8("劉備")));
}

TEST(MasterReading, ReadsShiftJisMasters) {
  QTemporaryDir dir;
  QStringEncoder sjis("Shift_JIS");
  ASSERT_TRUE(sjis.isValid());
  const QByteArray name = sjis.encode(QString::fromUtf8("諸葛亮"));
  MasterScan scan;
  readGeneralMaster(writeFile(dir, "Bushou.ini", record(1, name, 6, "koumei1")), scan);
  ASSERT_EQ(scan.subjects.size(), 1);
  EXPECT_EQ(scan.subjects[0].name, QString::fromUtf8("諸葛亮"));
}

TEST(MasterReading, NamesTheFileAndRecordOfEveryFault) {
  QTemporaryDir dir;
  const QByteArray text = record(1, "甲", 2, "../../outside") +  // would leave the picture folder
                          record(2, "乙", 2, "otsu1").replace("7,8", "7,x") +  // not a number
                          record(3, "丙", 9, "hei1") +                         // no such post
                          record(4, "丁", 4, "tei1") +                         // sound
                          ".5\r\n\"戊\"\r\n1,2,3\r\n";                          // cut short
  MasterScan scan;
  readGeneralMaster(writeFile(dir, "Bushou1.ini", text), scan);
  ASSERT_EQ(scan.subjects.size(), 1);
  EXPECT_EQ(scan.subjects[0].jpg, "tei1");
  EXPECT_TRUE(mentions(scan.problems, "Bushou1.ini record .1", "../../outside"));
  EXPECT_TRUE(mentions(scan.problems, "Bushou1.ini record .2", "\"x\""));
  EXPECT_TRUE(mentions(scan.problems, "Bushou1.ini record .3", "job 9"));
  EXPECT_TRUE(mentions(scan.problems, "Bushou1.ini record .5", "missing"));

  MasterScan none;
  readGeneralMaster(dir.filePath("Bushou9.ini"), none);
  EXPECT_TRUE(mentions(none.problems, "Bushou9.ini"));
  readGeneralMaster(writeFile(dir, "binary.ini", QByteArray("\xFF\xFE\xFF\x00\x81", 5)), none);
  EXPECT_TRUE(mentions(none.problems, "binary.ini"));
}

TEST(MasterReading, PictureNamesMustBePlainFileNames) {
  for (const char* good : {"sousou1", "a_b-2", "Kanu2"}) EXPECT_TRUE(isSafePictureName(good)) << good;
  for (const char* bad : {"", "..", "a/b", "a\\b", "x.jpg", "名前", "a b"}) EXPECT_FALSE(isSafePictureName(QString::fromUtf8(bad))) << bad;
}

// Fraction of pixels that differ between two pictures of the same size.
double difference(const QImage& a, const QImage& b) {
  const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
  int differ = 0;
  for (int r = 0; r < x.height(); ++r)
    for (int c = 0; c < x.width(); ++c) differ += x.pixel(c, r) != y.pixel(c, r);
  return double(differ) / (x.width() * x.height());
}

TEST(Portraits, DifferByPersonAndPostAndRepeatExactly) {
  const PortraitSubject caoCao{"sousou1", QString::fromUtf8("曹操"), 5, "t"};
  const QImage a = paintPortrait(caoCao);
  ASSERT_EQ(a.size(), QSize(kPortraitWidth, kPortraitHeight));
  EXPECT_EQ(a, paintPortrait(caoCao)) << "the same person must come out the same every run";

  // Another person of the same post, the same person in another post, a second picture.
  EXPECT_GT(difference(a, paintPortrait({"x", QString::fromUtf8("劉備"), 5, "t"})), 0.05);
  EXPECT_GT(difference(a, paintPortrait({"x", QString::fromUtf8("曹操"), 4, "t"})), 0.05);
  EXPECT_GT(difference(a, paintPortrait(caoCao, {-1, 2})), 0.02);

  // Every post draws something of its own.
  QList<QImage> byPost;
  for (int job = 0; job <= 6; ++job) byPost << paintPortrait({"x", QString::fromUtf8("張遼"), job, "t"});
  for (int i = 0; i < byPost.size(); ++i)
    for (int j = i + 1; j < byPost.size(); ++j) EXPECT_GT(difference(byPost[i], byPost[j]), 0.03) << i << " " << j;
}

TEST(Portraits, AreNotBlankAndCarryTheName) {
  const QImage img = paintPortrait({"x", QString::fromUtf8("夏侯惇"), 4, "t"});
  QSet<QRgb> colours;
  for (int r = 0; r < img.height(); ++r)
    for (int c = 0; c < img.width(); ++c) colours.insert(img.pixel(c, r));
  EXPECT_GT(colours.size(), 200);
  // The name plate (below the picture window) reads differently for different names.
  const QRect plate(10, 126, 100, 16);
  const QImage other = paintPortrait({"x", QString::fromUtf8("夏侯淵"), 4, "t"});
  EXPECT_GT(difference(img.copy(plate), other.copy(plate)), 0.03);
  EXPECT_GT(difference(img.copy(plate), paintPortrait({"x", QString(), 4, "t"}).copy(plate)), 0.05);
}

TEST(Output, JpegsKeepTheirBudgetOrSayWhy) {
  const QImage img = paintTitleSplash();
  QString err;
  int quality = 0;
  const QByteArray loose = encodeJpeg(img, 85, 0, &quality, &err);
  ASSERT_FALSE(loose.isEmpty()) << err.toStdString();
  EXPECT_EQ(quality, 85);
  const int budget = int(loose.size() * 0.8);
  const QByteArray tight = encodeJpeg(img, 85, budget, &quality, &err);
  ASSERT_FALSE(tight.isEmpty()) << err.toStdString();
  EXPECT_LE(tight.size(), budget);
  EXPECT_LT(quality, 85);
  EXPECT_TRUE(encodeJpeg(img, 85, 500, &quality, &err).isEmpty());
  EXPECT_TRUE(err.contains("500")) << err.toStdString();

  const QImage mono = toMonochrome(paintHeroesScene());
  EXPECT_EQ(mono.format(), QImage::Format_Grayscale8);
  EXPECT_EQ(mono.size(), QSize(240, 180));
  EXPECT_EQ(paintProgramIcon().size(), QSize(256, 256));
}

TEST(Output, WritesReplaceTheFileWholeOrNotAtAll) {
  QTemporaryDir dir;
  const QString path = dir.filePath("a.jpg");
  QString err;
  ASSERT_TRUE(writeFileAtomically(path, "first", &err));
  ASSERT_TRUE(writeFileAtomically(path, "second", &err));
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), "second");
  EXPECT_FALSE(writeFileAtomically(dir.filePath("no/such/folder/a.jpg"), "x", &err));
  EXPECT_TRUE(err.contains("no/such/folder")) << err.toStdString();
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);  // fonts need the application
  QString err;
  if (!loadCjkFont(&err)) {
    fprintf(stderr, "%s\n", qPrintable(err));
    return 1;
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
