#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One portrait to paint: who is in it, and the file name the game will ask for.
struct PortraitSubject {
  QString jpg;     // base name, as written in the master ("sousou1")
  QString name;    // the person's name, painted on the name plate
  int job = 0;     // 0 none, 1 文官, 2 武官, 3 参謀, 4 将軍, 5 君主, 6 軍師
  QString source;  // master file and record, for messages
};

struct MasterScan {
  QList<PortraitSubject> subjects;  // one per distinct picture name, first use wins
  QStringList problems;             // each names the file (and record) at fault
  QStringList notes;                // harmless oddities worth telling
};

// Finds `name` in `dir` regardless of letter case, as the game does.
// Returns an empty string when there is no such file.
QString findFileNoCase(const QString& dir, const QString& name);

// Text of a game file: UTF-8 when it is valid UTF-8, otherwise Shift-JIS (CP932).
// Sets `error` and returns an empty string when neither fits.
QString decodeGameText(const QByteArray& bytes, QString* error);

// List-input items: commas and line ends split, double quotes removed (a quoted
// item may hold commas), blanks around unquoted items dropped.
struct ListItem {
  QString text;
  int line = 0;
  bool quoted = false;
};
QList<ListItem> splitListItems(const QString& text);

// A picture base name the game can turn into "CG/<name>.jpg" without leaving
// the folder: ASCII letters, digits, '_' and '-' only.
bool isSafePictureName(const QString& name);

// Reads the general records of one master file and adds their pictures to `scan`.
void readGeneralMaster(const QString& path, MasterScan& scan);
