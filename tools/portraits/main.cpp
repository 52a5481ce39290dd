// teijinki-portraits: paints every picture the game folder ships.
//
//   teijinki-portraits --data <game folder> [--only portraits|specials|icon]...
//                      [--master <general master>]... [--out <picture folder>]
//
// Without --master it reads ini/Bushou1.ini, ini/Bushou2.ini and ini/Bushou.ini
// of the game folder. Pictures go to <game folder>/CG (or --out), the icon to
// <game folder>/icons/teijinki.png. Run with QT_QPA_PLATFORM=offscreen.

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QSet>

#include <cstdio>

#include "ink.h"
#include "masters.h"
#include "portrait.h"
#include "scenes.h"

namespace {

constexpr int kPortraitBudget = 12 * 1024;

void say(const QString& s) { std::fprintf(stdout, "%s\n", qPrintable(s)); }
void complain(const QString& s) { std::fprintf(stderr, "%s\n", qPrintable(s)); }

struct Stats {
  int written = 0;
  qint64 bytes = 0;
  qint64 largest = 0;
  QString largestName;
  int lowestQuality = 100;
};

bool writeJpeg(const QString& dir, const QString& base, const QImage& image, int budget, Stats& stats,
               QStringList& problems) {
  QString err;
  int quality = 0;
  const QByteArray bytes = encodeJpeg(image, 85, budget, &quality, &err);
  const QString path = QDir(dir).filePath(base + QStringLiteral(".jpg"));
  if (bytes.isEmpty()) {
    problems << QStringLiteral("%1: %2").arg(path, err);
    return false;
  }
  if (!writeFileAtomically(path, bytes, &err)) {
    problems << err;
    return false;
  }
  ++stats.written;
  stats.bytes += bytes.size();
  if (bytes.size() > stats.largest) {
    stats.largest = bytes.size();
    stats.largestName = base;
  }
  stats.lowestQuality = std::min(stats.lowestQuality, quality);
  return true;
}

void report(const QString& what, const Stats& s) {
  if (s.written == 0) return;
  say(QStringLiteral("%1: %2 written, %3 bytes in all, largest %4 (%5 bytes), lowest quality %6")
          .arg(what).arg(s.written).arg(s.bytes).arg(s.largestName).arg(s.largest).arg(s.lowestQuality));
}

int usage(const QString& why) {
  complain(why);
  complain(QStringLiteral(
      "usage: teijinki-portraits --data <game folder> [--only portraits|specials|icon]... "
      "[--master <file>]... [--out <picture folder>]"));
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();

  QString dataDir, outDir;
  QStringList masters;
  QSet<QString> only;
  for (qsizetype i = 1; i < args.size(); ++i) {
    const QString& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == QLatin1String("--data") && hasValue) dataDir = args[++i];
    else if (a == QLatin1String("--out") && hasValue) outDir = args[++i];
    else if (a == QLatin1String("--master") && hasValue) masters << args[++i];
    else if (a == QLatin1String("--only") && hasValue) {
      const QString what = args[++i];
      if (what != QLatin1String("portraits") && what != QLatin1String("specials") && what != QLatin1String("icon"))
        return usage(QStringLiteral("unknown picture set \"%1\"").arg(what));
      only.insert(what);
    } else {
      return usage(QStringLiteral("unexpected argument \"%1\"").arg(a));
    }
  }
  if (dataDir.isEmpty()) return usage(QStringLiteral("--data is required"));
  if (!QFileInfo(dataDir).isDir()) return usage(QStringLiteral("%1: not a folder").arg(dataDir));
  const auto wanted = [&only](const char* what) { return only.isEmpty() || only.contains(QLatin1String(what)); };

  QString err;
  if (!loadCjkFont(&err)) {
    complain(err);
    return 2;
  }

  QStringList problems;
  MasterScan scan;
  if (masters.isEmpty()) {
    const QString iniDir = QDir(dataDir).filePath(QStringLiteral("ini"));
    for (const char* name : {"Bushou1.ini", "Bushou2.ini", "Bushou.ini"}) {
      const QString path = findFileNoCase(iniDir, QLatin1String(name));
      if (path.isEmpty()) scan.problems << QStringLiteral("%1/%2: not found").arg(iniDir, QLatin1String(name));
      else readGeneralMaster(path, scan);
    }
  } else {
    for (const QString& m : masters) readGeneralMaster(m, scan);
  }
  problems << scan.problems;
  for (const QString& n : scan.notes) say(QStringLiteral("note: ") + n);

  if (outDir.isEmpty()) outDir = QDir(dataDir).filePath(QStringLiteral("CG"));
  if (!QDir().mkpath(outDir)) {
    complain(QStringLiteral("%1: cannot create the picture folder").arg(outDir));
    return 1;
  }

  QSet<QString> fromMasters;
  for (const PortraitSubject& s : scan.subjects) fromMasters.insert(s.jpg.toLower());

  if (wanted("portraits")) {
    Stats stats;
    for (const PortraitSubject& s : scan.subjects)
      writeJpeg(outDir, s.jpg, paintPortrait(s), kPortraitBudget, stats, problems);
    report(QStringLiteral("portraits"), stats);
  }

  if (wanted("specials")) {
    Stats stats;
    writeJpeg(outDir, QStringLiteral("zouhyou1"), paintFootSoldier(), kPortraitBudget, stats, problems);
    // Portraits of the credits roll, one per page 0 to 3. A name that a master
    // also uses keeps the master's picture, so the two never disagree.
    struct Credit {
      const char* jpg;
      const char16_t* name;
      int job;
      PortraitLook look;
    };
    const Credit credits[] = {
        {"kanu2", u"関羽", 4, {4, 2}},
        {"enjutu2", u"袁術", 5, {-1, 2}},
        {"koumei1", u"諸葛亮", 6, {-1, 0}},
        {"shougun1", u"何進", 4, {3, 0}},
    };
    for (const Credit& c : credits) {
      const QString jpg = QLatin1String(c.jpg);
      if (fromMasters.contains(jpg)) {
        say(QStringLiteral("credits: %1 is a master's portrait and is painted from the master").arg(jpg));
        continue;
      }
      const PortraitSubject subject{jpg, QString::fromUtf16(c.name), c.job, QStringLiteral("credits")};
      writeJpeg(outDir, jpg, paintPortrait(subject, c.look), kPortraitBudget, stats, problems);
    }
    const QImage heroes = paintHeroesScene();
    writeJpeg(outDir, QStringLiteral("eiyu3"), heroes, 40 * 1024, stats, problems);
    writeJpeg(outDir, QStringLiteral("eiyu3mono"), toMonochrome(heroes), 40 * 1024, stats, problems);
    writeJpeg(outDir, QStringLiteral("title"), paintTitleSplash(), 160 * 1024, stats, problems);
    report(QStringLiteral("special pictures"), stats);
  }

  if (wanted("icon")) {
    const QString iconDir = QDir(dataDir).filePath(QStringLiteral("icons"));
    const QByteArray png = encodePng(paintProgramIcon(), &err);
    if (png.isEmpty()) problems << err;
    else if (!QDir().mkpath(iconDir) ||
             !writeFileAtomically(QDir(iconDir).filePath(QStringLiteral("teijinki.png")), png, &err))
      problems << (err.isEmpty() ? QStringLiteral("%1: cannot create the folder").arg(iconDir) : err);
    else say(QStringLiteral("icon: %1 bytes").arg(png.size()));
  }

  for (const QString& pr : problems) complain(QStringLiteral("error: ") + pr);
  return problems.isEmpty() ? 0 : 1;
}
