#include "platform/paths.h"

#include <algorithm>

#include <QDir>
#include <QFileInfo>

namespace ramulo {

QChar pathSeparator() {
    return QDir::separator();
}

QString joinPath(const QString& folder, const QString& name) {
    if (folder.endsWith(pathSeparator()))
        return folder + name;
    return folder + pathSeparator() + name;
}

bool plainlyComposed(QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x300; });
}

std::vector<qsizetype> upperLevelEnds(QStringView path) {
    std::vector<qsizetype> ends;
    for (qsizetype at = path.indexOf(pathSeparator()); at > 0;
         at = path.indexOf(pathSeparator(), at + 1))
        ends.push_back(at);
    return ends;
}

QStringList presetFolders(const QString& programFolder, const QString& userPresets) {
    const QString own = joinPath(programFolder, QStringLiteral("presets"));
    if (userPresets.isEmpty())
        return {own};
    return {userPresets, own};
}

QStringList foldersAbove(const QString& path) {
    // By the text alone: the folders themselves may be gone.
    QStringList above;
    for (QString folder = QDir::fromNativeSeparators(path); !folder.isEmpty();) {
        const QString up = QFileInfo(folder).path();
        if (up == folder || up == QStringLiteral("."))
            break;
        above << QDir::toNativeSeparators(up);
        folder = up;
    }
    return above;
}

namespace {
bool pairAt(QStringView text, qsizetype i) {
    return i >= 0 && i + 1 < text.size() && text[i].isHighSurrogate() &&
           text[i + 1].isLowSurrogate();
}
} // namespace

QString shownCut(const QString& text, qsizetype longest, qsizetype kept) {
    if (text.size() <= longest)
        return text;
    qsizetype characters = text.size();
    for (qsizetype i = 0; i < text.size(); ++i)
        if (pairAt(text, i)) {
            --characters;
            ++i;
        }
    if (characters <= longest)
        return text;
    qsizetype headEnd = 0, tailStart = text.size();
    for (qsizetype k = 0; k < kept; ++k) {
        headEnd += pairAt(text, headEnd) ? 2 : 1;
        tailStart -= pairAt(text, tailStart - 2) ? 2 : 1;
    }
    return text.first(headEnd) +
           QStringLiteral("…(%1 caractères omis)…").arg(characters - 2 * kept) +
           text.sliced(tailStart);
}

} // namespace ramulo
