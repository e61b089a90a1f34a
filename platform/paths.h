#pragma once
// Path rules shared by the destination, the preview, folder creation and the
// preset list. Paths are shown and joined with the system's own separator; a
// drive root ends with it ("C:\", "/"), any other folder path does not.

#include <QString>

#include <optional>

namespace ramulo {

// The system's separator: '\' on Windows, '/' elsewhere.
QChar pathSeparator();

// folder + separator + name, with no separator added when the folder already
// ends with one (a drive root).
QString joinPath(const QString& folder, const QString& name);

// The "presets" folder beside the program.
QString presetsFolder(const QString& programFolder);

// The system's reason why a folder cannot be listed, nothing when it can.
std::optional<QString> unreadableFolder(const QString& path);

// An absolute path in the form the window shows: native separators, no
// trailing separator except on a drive root.
QString displayPath(const QString& path);

} // namespace ramulo
