// teijinki-icon-sizes: the program icon in the sizes desktops look for, scaled from the one
// picture the portrait generator paints (data/icons/teijinki.png). Run by the build.
//
//   teijinki-icon-sizes SOURCE.png OUT_DIR SIZE...
//
// writes OUT_DIR/<SIZE>x<SIZE>/apps/teijinki.png for every SIZE (the hicolor theme's layout).

#include <QDir>
#include <QImage>
#include <QString>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: teijinki-icon-sizes SOURCE.png OUT_DIR SIZE...\n");
    return 2;
  }
  const QString source = QString::fromLocal8Bit(argv[1]);
  const QImage icon(source);
  if (icon.isNull()) {
    std::fprintf(stderr, "teijinki-icon-sizes: %s is not a readable picture\n", argv[1]);
    return 1;
  }
  const QDir out(QString::fromLocal8Bit(argv[2]));
  for (int i = 3; i < argc; ++i) {
    bool ok = false;
    const int size = QString::fromLatin1(argv[i]).toInt(&ok);
    if (!ok || size < 1 || size > icon.width()) {
      std::fprintf(stderr, "teijinki-icon-sizes: size %s is not between 1 and %d\n", argv[i], icon.width());
      return 2;
    }
    const QString folder = QStringLiteral("%1x%1/apps").arg(size);
    const QString file = out.filePath(folder + QStringLiteral("/teijinki.png"));
    // Qt's smooth scaling averages the pixels under each new one, so thin strokes fade evenly
    // instead of breaking up.
    const QImage scaled = icon.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (!out.mkpath(folder) || !scaled.save(file, "PNG")) {
      std::fprintf(stderr, "teijinki-icon-sizes: cannot write %s\n", qPrintable(file));
      return 1;
    }
  }
  return 0;
}
