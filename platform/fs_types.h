#pragma once
// What a file system holds at a path, and what it does with the names of its
// folders: plain values that the preview's report reads without any service.

#include <QtGlobal>

namespace ramulo {

// What a path holds. A link to a folder is a folder where a name is looked
// for, but sub-folders are never made through it. Where nothing bears the
// name itself, an entry may bear it written otherwise: the same letters,
// their accents composed otherwise (Respelt, RespeltFolder).
enum class Entry : quint8 { None, Folder, File, Link, Other, FolderLink, Respelt, RespeltFolder };

inline bool isFolder(Entry entry) {
    return entry == Entry::Folder || entry == Entry::FolderLink;
}

// What a file system does with the names of its folders, as far as it can be
// known from the destination.
struct NameRules {
    qsizetype longestName = 255;  // in bytes of UTF-8, or in UTF-16 units
    qsizetype longestPath = 4095; // the same units, separators included
    bool utf16 = false;           // names are counted in UTF-16 units rather than bytes
    bool halfPairs = false;       // names reach the system as UTF-16 (Windows): half a pair passes
    bool ignoresCase = false;     // "Dossier" and "dossier" are one folder
    bool windowsNames = false;    // no control characters, no final dot, no device names
    bool operator==(const NameRules&) const = default;
};

} // namespace ramulo
