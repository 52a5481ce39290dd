#include "masters.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringDecoder>

QString findFileNoCase(const QString& dir, const QString& name) {
  const QDir d(dir);
  if (d.exists(name)) return d.filePath(name);
  const QStringList entries = d.entryList(QDir::Files);
  for (const QString& e : entries)
    if (e.compare(name, Qt::CaseInsensitive) == 0) return d.filePath(e);
  return {};
}

QString decodeGameText(const QByteArray& bytes, QString* error) {
  QByteArray body = bytes;
  if (body.startsWith("\xEF\xBB\xBF")) body.remove(0, 3);
  {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(body);
    if (!utf8.hasError()) return text;
  }
  QStringDecoder sjis("Shift_JIS", QStringDecoder::Flag::Stateless);
  if (sjis.isValid()) {
    QString text = sjis.decode(body);
    if (!sjis.hasError()) return text;
  }
  if (error) *error = QStringLiteral("neither UTF-8 nor Shift-JIS text");
  return {};
}

QList<ListItem> splitListItems(const QString& text) {
  QList<ListItem> items;
  QString cur;
  bool quoted = false, inQuotes = false, any = false;
  int line = 1;
  auto flush = [&](int atLine) {
    if (any || quoted) items.push_back({quoted ? cur : cur.trimmed(), atLine, quoted});
    cur.clear();
    quoted = inQuotes = any = false;
  };
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (inQuotes) {
      if (c == u'"') inQuotes = false;
      else if (c == u'\n') { flush(line); ++line; }  // an unclosed quote ends with its line
      else if (c != u'\r') cur += c;
      continue;
    }
    if (c == u'"' && cur.trimmed().isEmpty()) { cur.clear(); quoted = inQuotes = true; continue; }
    if (c == u',') { flush(line); continue; }
    if (c == u'\n') {
      // An empty line holds no item; "a,\n" ends with an empty one like the game's reader.
      if (any || quoted) flush(line);
      ++line;
      continue;
    }
    if (c == u'\r') continue;
    if (!quoted) { cur += c; if (!c.isSpace()) any = true; }
  }
  flush(line);
  return items;
}

bool isSafePictureName(const QString& name) {
  if (name.isEmpty() || name.size() > 64) return false;
  for (QChar c : name) {
    const char16_t u = c.unicode();
    const bool ok = (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') ||
                    (u >= u'0' && u <= u'9') || u == u'_' || u == u'-';
    if (!ok) return false;
  }
  return true;
}

namespace {

// The game's marker id: the numeric value of the three characters after ".".
int markerId(const QString& item) {
  int v = 0;
  for (qsizetype i = 1; i < item.size() && i <= 3; ++i) {
    const QChar c = item.at(i);
    if (!c.isDigit()) break;
    v = v * 10 + c.digitValue();
  }
  return v;
}

// Markers are written bare; a quoted text that starts with "." is a field.
bool isMarker(const ListItem& it) { return !it.quoted && it.text.startsWith(u'.'); }

}  // namespace

void readGeneralMaster(const QString& path, MasterScan& scan) {
  const QString file = QFileInfo(path).fileName();
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) {
    scan.problems << QStringLiteral("%1: cannot be read (%2)").arg(path, f.errorString());
    return;
  }
  QString err;
  const QString text = decodeGameText(f.readAll(), &err);
  if (!err.isEmpty()) {
    scan.problems << QStringLiteral("%1: %2").arg(path, err);
    return;
  }

  // Picture names already taken, lower-cased: the game finds files without regard to case.
  QHash<QString, qsizetype> taken;
  for (qsizetype i = 0; i < scan.subjects.size(); ++i) taken.insert(scan.subjects[i].jpg.toLower(), i);

  const QList<ListItem> items = splitListItems(text);
  int records = 0;
  for (qsizetype i = 0; i < items.size(); ++i) {
    if (!isMarker(items[i])) continue;
    const int id = markerId(items[i].text);
    if (id <= 0) continue;
    const QString where = QStringLiteral("%1 record .%2 (line %3)").arg(file).arg(id).arg(items[i].line);

    // name; policy, fight, wisdom, tactics; charm, Setu; kunID, Job; jpg
    constexpr int kFields = 10;
    qsizetype have = 0;
    while (have < kFields && i + 1 + have < items.size() && !isMarker(items[i + 1 + have])) ++have;
    if (have < kFields) {
      scan.problems << QStringLiteral("%1: %2 of its 10 fields are missing").arg(where).arg(kFields - have);
      i += have;
      continue;
    }
    const ListItem* fields = &items[i + 1];
    i += kFields;
    ++records;

    bool numbersOk = true;
    for (int k = 1; k <= 8; ++k) {
      bool ok = false;
      fields[k].text.toInt(&ok);
      if (!ok) {
        scan.problems << QStringLiteral("%1: field %2 \"%3\" is not a number").arg(where).arg(k + 1).arg(fields[k].text);
        numbersOk = false;
        break;
      }
    }
    if (!numbersOk) continue;

    const int job = fields[8].text.toInt();
    const QString jpg = fields[9].text;
    if (jpg.isEmpty()) continue;  // no portrait for this one; the game shows an empty picture
    if (!isSafePictureName(jpg)) {
      scan.problems << QStringLiteral("%1: picture name \"%2\" is not a plain file name").arg(where, jpg);
      continue;
    }
    if (job < 0 || job > 6) {
      scan.problems << QStringLiteral("%1: job %2 is outside 0 to 6").arg(where).arg(job);
      continue;
    }
    const QString name = fields[0].text;
    const auto seen = taken.constFind(jpg.toLower());
    if (seen != taken.constEnd()) {
      const PortraitSubject& first = scan.subjects[*seen];
      if (first.name != name)
        scan.notes << QStringLiteral("%1: picture \"%2\" of %3 is already %4's (%5); painted once as %4")
                          .arg(where, jpg, name, first.name, first.source);
      continue;
    }
    taken.insert(jpg.toLower(), scan.subjects.size());
    scan.subjects.push_back({jpg, name, job, where});
  }
  if (records == 0) scan.problems << QStringLiteral("%1: holds no general record").arg(path);
}
