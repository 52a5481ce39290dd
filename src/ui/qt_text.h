#pragma once
// Text between the rules (UTF-8, CR LF line breaks) and the widgets.

#include <QString>
#include <string>

namespace teijinki::ui {

// A game text for a label: UTF-8 decoded, CR LF and lone CR turned into line feeds.
inline QString qs(const std::string& text) {
    QString out = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(QChar('\r'), QChar('\n'));
    return out;
}

inline std::string ss(const QString& text) { return text.toStdString(); }

}  // namespace teijinki::ui
