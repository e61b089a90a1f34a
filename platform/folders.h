#pragma once
// Folders as the system has them: which names and paths it takes as they are
// written, and which folders can be listed.

#include "platform/services.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <optional>

namespace ramulo {

// The path as the system takes it (real_services_<system>.cpp), or nothing when the system cannot
// take it exactly as written: a NUL would cut it short, and half a surrogate pair has no form in
// the system's encoding. Converting such a path otherwise either throws or names another file.
std::optional<std::filesystem::path> systemPath(const QString& path);

// The path's bytes as a system that names files by bytes takes them, under
// the same rule as systemPath.
std::optional<QByteArray> systemBytes(const QString& path);

// The bytes by which a folder's listing spells the name, when the system can
// take it as one entry of a folder; nothing for an empty name, "." and "..",
// a name holding a separator, and what systemPath refuses.
std::optional<QByteArray> entryName(const QString& name);
// Whether entryName gives the name's bytes.
bool isEntryName(const QString& name);

// The system's reason why a folder cannot be listed, nothing when it can.
std::optional<QString> unreadableFolder(const QString& path);

// The first of the folders that the file system can list, or nothing.
std::optional<QString> firstReadableFolder(FileSystem& files, const QStringList& folders);

// An absolute path in the form the window shows: native separators, no
// trailing separator except on a drive root.
QString displayPath(const QString& path);

} // namespace ramulo
