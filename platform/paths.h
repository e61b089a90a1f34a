#pragma once
// Path rules shared by the destination, the preview, folder creation and the
// preset list, by the text alone. Paths are shown and joined with the
// system's own separator; a drive root ends with it ("C:\", "/"), any other
// folder path does not.

#include <QString>
#include <QStringList>

#include <vector>

namespace ramulo {

// The system's separator: '\' on Windows, '/' elsewhere.
QChar pathSeparator();

// folder + separator + name, with no separator added when the folder already
// ends with one (a drive root).
QString joinPath(const QString& folder, const QString& name);

// Where the upper levels of a relative path end: the places of its
// separators, in order. A folder name has none.
std::vector<qsizetype> upperLevelEnds(QStringView path);

// Whether the text is composed as it stands, seen quickly: every character
// below U+0300 is, with nothing after it to combine with.
bool plainlyComposed(QStringView text);

// The preset folders, the first one's files hiding the same names in the
// next: the user's own presets, when the copy has them, before the program's
// "presets" folder.
QStringList presetFolders(const QString& programFolder, const QString& userPresets);

// The folders above a path, nearest first, up to its root.
QStringList foldersAbove(const QString& path);

// A name or path as a message shows it: one longer than `longest` characters
// keeps its first and last `kept`, joined by "…(N caractères omis)…". A
// surrogate pair counts as one character and is never cut in two.
QString shownCut(const QString& text, qsizetype longest = 120, qsizetype kept = 50);

} // namespace ramulo
