#include "text_positions.h"

#include <QList>
#include <algorithm>
#include <vector>

namespace quillon::qt {
namespace {

// For each code point of the window's text (and its end), where it stands in the shown text.
std::vector<int> ShownOffsets(const QString& text) {
    std::vector<int> offsets;
    offsets.reserve(static_cast<size_t>(text.size()) + 1);
    int shown = 0;
    for (int i = 0; i < text.size();) {
        offsets.push_back(shown);
        const bool lineBreak =
            text.at(i) == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n';
        const int units = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        i += units;
        if (!lineBreak) shown += units;
    }
    offsets.push_back(shown);
    return offsets;
}

}  // namespace

int ToQtIndex(const QString& text, int codePoints) {
    int i = 0;
    for (int n = 0; i < text.size() && n < codePoints; ++n)
        i += (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
    return i;
}

int ToModelIndex(const QString& text, int utf16) {
    return static_cast<int>(text.left(utf16).toUcs4().size());
}

// A multi-line field holds its lines joined by CR LF; the editor shows them joined by LF.
// Positions in the window count every code point, the CR included.
QString ShownLines(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

int ToShownIndex(const QString& text, int codePoints) {
    const std::vector<int> offsets = ShownOffsets(text);
    return offsets[std::clamp<size_t>(static_cast<size_t>(std::max(codePoints, 0)), 0,
                                      offsets.size() - 1)];
}

int FromShownIndex(const QString& text, int shownUnits) {
    const std::vector<int> offsets = ShownOffsets(text);
    // The first code point at that place: a line break is taken whole, before its CR.
    const auto it = std::lower_bound(offsets.begin(), offsets.end(), shownUnits);
    return std::min(static_cast<int>(it - offsets.begin()), static_cast<int>(offsets.size()) - 1);
}

}  // namespace quillon::qt
