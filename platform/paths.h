#pragma once
// Path rules shared by the destination, the preview, folder creation and the
// preset list. Paths are shown and joined with the system's own separator; a
// drive root ends with it ("C:\", "/"), any other folder path does not.

#include <QString>

#include <filesystem>
#include <optional>

namespace ramulo {

// The system's separator: '\' on Windows, '/' elsewhere.
QChar pathSeparator();

// folder + separator + name, with no separator added when the folder already
// ends with one (a drive root).
QString joinPath(const QString& folder, const QString& name);

// The "presets" folder beside the program.
QString presetsFolder(const QString& programFolder);

// The path as the system takes it, or nothing when the system cannot take it
// exactly as written: a NUL would cut it short, and half a surrogate pair has
// no form in the system's encoding. Converting such a path otherwise either
// throws or names another file.
std::optional<std::filesystem::path> systemPath(const QString& path);

// The system's reason why a folder cannot be listed, nothing when it can.
std::optional<QString> unreadableFolder(const QString& path);

// The folder's sub-folders as a folder list shows them: links to folders
// included, hidden ones left out, in no order. Nothing for a folder that
// cannot be read.
QStringList subFolders(const QString& folder);

// The first of the folders that can be listed, or nothing.
std::optional<QString> firstReadableFolder(const QStringList& folders);

// The folders above a path, nearest first, up to its root.
QStringList foldersAbove(const QString& path);

// A name or path as a message shows it: one longer than `longest` characters
// keeps its first and last `kept`, joined by "…(N caractères omis)…". A
// surrogate pair counts as one character and is never cut in two.
QString shownCut(const QString& text, qsizetype longest = 120, qsizetype kept = 50);

// An absolute path in the form the window shows: native separators, no
// trailing separator except on a drive root.
QString displayPath(const QString& path);

} // namespace ramulo
