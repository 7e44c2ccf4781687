// Text and character positions between the window and Qt's widgets: the window holds UTF-8
// and counts code points, Qt holds UTF-16 and counts its units; a multi-line field holds its
// lines joined by CR LF, the editor shows them joined by LF.
#pragma once

#include <QString>
#include <string>

namespace quillon::qt {

inline QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// A position in code points as a position in the UTF-16 units of `text`, and back.
int ToQtIndex(const QString& text, int codePoints);
int ToModelIndex(const QString& text, int utf16);

// A multi-line field's text as its editor shows it.
QString ShownLines(const QString& text);
// A position in the window's text (code points, a CR LF counted as two) as a position in the
// shown text, and back.
int ToShownIndex(const QString& text, int codePoints);
int FromShownIndex(const QString& text, int shownUnits);

}  // namespace quillon::qt
