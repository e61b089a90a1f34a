// The services of Windows, through its wide-character API. Paths of 248
// characters or more go through the long-path prefix "\\?\": without it,
// CreateDirectoryW stops at 247 characters whatever the manifest says, unless
// the machine allows long paths.

#include "platform/real_services.h"

#include "platform/folders.h"
#include "platform/paths.h"

#include <QDir>
#include <QHash>
#include <QSettings>

#include <windows.h>
// after windows.h
#include <shellapi.h>

namespace ramulo {

namespace {

constexpr qsizetype kShortPath = 248;

// The longest path the prefixed API takes: 32,767 units with the final NUL,
// less the prefix of a share's path ("\\?\UNC\" for "\\").
constexpr qsizetype kLongestPath = 32767 - 1 - 6;

// The path as the wide-character API takes it: native separators, and the
// long-path prefix on an absolute path of 248 characters or more.
std::wstring widePath(const QString& path) {
    QString native = QDir::toNativeSeparators(path);
    if (native.size() >= kShortPath && !native.startsWith(QStringLiteral("\\\\?\\"))) {
        if (native.startsWith(QStringLiteral("\\\\")))
            native = QStringLiteral("\\\\?\\UNC\\") + native.mid(2);
        else if (native.size() > 2 && native.at(1) == u':' && native.at(2) == u'\\')
            native = QStringLiteral("\\\\?\\") + native;
    }
    return native.toStdWString();
}

// The system's own words for an error, in the language of its interface.
QString systemMessage(DWORD error) {
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    const QString message = text ? QString::fromWCharArray(text).trimmed()
                                 : QStringLiteral("erreur %1 du système").arg(error);
    LocalFree(text);
    return message;
}

FileSystem::Entry entryOf(DWORD attributes) {
    using Entry = FileSystem::Entry;
    const bool link = attributes & FILE_ATTRIBUTE_REPARSE_POINT; // a link, or a junction
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return link ? Entry::FolderLink : Entry::Folder;
    return link ? Entry::Link : Entry::File;
}

// Runs found(entry) for each entry of the folder but "." and "..", in the
// system's order. Returns the system's error, 0 once every entry was seen.
template <typename Found>
DWORD eachEntry(const QString& folder, FINDEX_SEARCH_OPS search, Found found) {
    WIN32_FIND_DATAW entry{};
    const HANDLE listing =
        FindFirstFileExW(widePath(joinPath(folder, QStringLiteral("*"))).c_str(), FindExInfoBasic,
                         &entry, search, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (listing == INVALID_HANDLE_VALUE)
        return GetLastError();
    do {
        const QString name = QString::fromWCharArray(entry.cFileName);
        if (name != QStringLiteral(".") && name != QStringLiteral(".."))
            found(name, entry.dwFileAttributes);
    } while (FindNextFileW(listing, &entry));
    const DWORD error = GetLastError();
    FindClose(listing);
    return error == ERROR_NO_MORE_FILES ? 0 : error;
}

// A name as the system compares names: each UTF-16 unit in its simple upper
// case, as NTFS's table of capitals has it.
QString comparable(const QString& name) {
    QString upper = name;
    for (QChar& unit : upper)
        unit = unit.toUpper();
    return upper;
}

// The drive's root ("C:\") or a share's ("\\serveur\partage\").
std::wstring volumeRoot(const QString& path) {
    std::wstring root(MAX_PATH + 1, L'\0');
    if (!GetVolumePathNameW(widePath(path).c_str(), root.data(), MAX_PATH + 1))
        return QDir::toNativeSeparators(path).toStdWString();
    root.resize(wcslen(root.c_str()));
    return root;
}

} // namespace

std::optional<std::filesystem::path> systemPath(const QString& path) {
    // Names are UTF-16 there, taken as they are, half pairs included.
    if (path.contains(QChar(u'\0')))
        return std::nullopt;
    return std::filesystem::path(widePath(path));
}

FileSystem::Entry RealFileSystem::entryAt(const QString& path) {
    if (path.contains(QChar(u'\0')))
        return Entry::None;
    const DWORD attributes = GetFileAttributesW(widePath(path).c_str());
    return attributes == INVALID_FILE_ATTRIBUTES ? Entry::None : entryOf(attributes);
}

std::optional<QString> RealFileSystem::createFolder(const QString& path) {
    if (path.contains(QChar(u'\0')))
        return systemMessage(ERROR_INVALID_NAME);
    if (CreateDirectoryW(widePath(path).c_str(), nullptr))
        return std::nullopt;
    return systemMessage(GetLastError());
}

std::vector<FileSystem::Entry> RealFileSystem::entriesOneByOne(const QString& folder,
                                                               const QStringList& names) {
    std::vector<Entry> entries(static_cast<std::size_t>(names.size()));
    inSlices(names.size(), [&](qsizetype begin, qsizetype end) {
        for (qsizetype i = begin; i < end; ++i)
            entries[static_cast<std::size_t>(i)] =
                RealFileSystem::entryAt(joinPath(folder, names.at(i)));
    });
    return entries;
}

std::optional<std::vector<FileSystem::Entry>>
RealFileSystem::entriesByListing(const QString& folder, const QStringList& names, Respellings*) {
    // One read of the folder, its names compared as the system compares them.
    QHash<QString, DWORD> held;
    const qsizetype most = 2 * names.size() + kManyNames;
    bool whole = true;
    const DWORD error =
        eachEntry(folder, FindExSearchNameMatch, [&](const QString& name, DWORD kind) {
            if (held.size() <= most)
                held.insert(comparable(name), kind);
            else
                whole = false; // a folder far larger than the list is not worth reading whole
        });
    if (error != 0 || !whole)
        return std::nullopt;
    std::vector<Entry> entries;
    entries.reserve(static_cast<std::size_t>(names.size()));
    for (const QString& name : names) {
        // What the system would read otherwise ("a.", " a", "a\b") is asked by its path.
        const bool plain =
            entryName(name) && !name.endsWith(u'.') && !name.endsWith(u' ') && !name.contains(u'/');
        const auto kind = plain ? held.constFind(comparable(name)) : held.cend();
        if (!plain)
            entries.push_back(RealFileSystem::entryAt(joinPath(folder, name)));
        else
            entries.push_back(kind == held.cend() ? Entry::None : entryOf(*kind));
    }
    return entries;
}

// NTFS keeps names as they are written: no second spelling is looked for.
void RealFileSystem::markRespelt(const QString&, const QStringList&, const ByFolder&,
                                 const QHash<QStringView, Respellings>&, std::vector<Entry>&) {}

std::unique_ptr<FileSystem::FolderMaker> RealFileSystem::folderMaker(const QString& folder) {
    // Level by level through the paths: an upper level is entered only when it
    // is a folder, never a link or a junction.
    return FileSystem::folderMaker(folder);
}

NameRules RealFileSystem::nameRules(const QString& folder) {
    NameRules rules;
    rules.utf16 = true;
    rules.halfPairs = true;
    // Windows programs find a name whatever its case, on every file system.
    rules.ignoresCase = true;
    rules.windowsNames = true;
    rules.longestPath = kLongestPath;
    DWORD longestName = 0;
    DWORD flags = 0;
    if (GetVolumeInformationW(volumeRoot(folder).c_str(), nullptr, 0, nullptr, &longestName, &flags,
                              nullptr, 0) &&
        longestName > 0)
        rules.longestName = longestName;
    return rules;
}

std::optional<QString> RealFileSystem::unreadable(const QString& folder) {
    if (folder.isEmpty() || folder.contains(QChar(u'\0')))
        return systemMessage(ERROR_INVALID_NAME);
    // A file where the folder was: its listing's error would not say so.
    const DWORD attributes = GetFileAttributesW(widePath(folder).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return systemMessage(ERROR_DIRECTORY);
    const DWORD error =
        eachEntry(folder, FindExSearchLimitToDirectories, [](const QString&, DWORD) {});
    // An empty drive root lists nothing at all.
    if (error == 0 || error == ERROR_FILE_NOT_FOUND)
        return std::nullopt;
    return systemMessage(error);
}

QStringList RealFileSystem::subFolders(const QString& folder) {
    QStringList names;
    eachEntry(folder, FindExSearchLimitToDirectories, [&](const QString& name, DWORD kind) {
        if ((kind & FILE_ATTRIBUTE_DIRECTORY) && !(kind & FILE_ATTRIBUTE_HIDDEN) &&
            !name.startsWith(u'.'))
            names << name;
    });
    return names;
}

QStringList RealDrives::list() {
    QStringList drives;
    const DWORD letters = GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter)
        if (letters & (1u << letter))
            drives << QString(QChar(u'A' + letter)) + QStringLiteral(":\\");
    return drives;
}

QString RealDrives::kind(const QString& drive) {
    switch (GetDriveTypeW(drive.left(2).append(u'\\').toStdWString().c_str())) {
    case DRIVE_FIXED:
        return QStringLiteral("disque local");
    case DRIVE_REMOVABLE:
        return QStringLiteral("disque amovible");
    case DRIVE_CDROM:
        return QStringLiteral("lecteur de CD ou DVD");
    case DRIVE_REMOTE:
        return QStringLiteral("lecteur réseau");
    case DRIVE_RAMDISK:
        return QStringLiteral("disque en mémoire");
    default:
        return {};
    }
}

QString RealDrives::systemDrive() {
    const QString drive = qEnvironmentVariable("SystemDrive", QStringLiteral("C:"));
    return drive.left(2).toUpper() + u'\\';
}

QString RealDrives::driveOf(const QString& path) {
    return QDir::toNativeSeparators(path.left(2) + u'/').toUpper();
}

QString RealDrives::currentFolder(const QString& drive) {
    // "X:" alone names the folder the system keeps as that drive's current one.
    wchar_t folder[MAX_PATH + 1] = {};
    const std::wstring letter = drive.left(2).toStdWString();
    const DWORD size = GetFullPathNameW(letter.c_str(), MAX_PATH + 1, folder, nullptr);
    if (size == 0 || size > MAX_PATH)
        return drive;
    return displayPath(QString::fromWCharArray(folder));
}

std::optional<QString> RealDrives::notReady(const QString& drive) {
    // An empty card reader or DVD drive, or a share out of reach, has no volume to read.
    if (!GetVolumeInformationW(volumeRoot(drive).c_str(), nullptr, 0, nullptr, nullptr, nullptr,
                               nullptr, 0))
        return systemMessage(GetLastError());
    return RealFileSystem().unreadable(drive);
}

QStringList programArguments(int argc, char* argv[]) {
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    QStringList arguments;
    int count = 0;
    if (wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int index = 0; index < count; ++index)
            arguments << QString::fromWCharArray(words[index]);
        LocalFree(words);
    }
    return arguments;
}

QString userPresetsHelp() {
    return QStringLiteral("Presets personnels : %APPDATA%\\Ramulo\\presets (copie installée)\n");
}

// Windows' heap takes blocks this large straight from the system, and gives
// them back when they are freed.
void returnLargeBlocks() {}

void writeOut(const QString& text, bool error) {
    // A window program started from a console has no standard handles: it
    // writes to the console of the program that started it, if any.
    HANDLE handle = GetStdHandle(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    if ((handle == nullptr || handle == INVALID_HANDLE_VALUE) &&
        AttachConsole(ATTACH_PARENT_PROCESS))
        handle = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, 0, nullptr);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE)
        return;
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(handle, &mode)) {
        WriteConsoleW(handle, text.utf16(), static_cast<DWORD>(text.size()), &written, nullptr);
    } else { // a pipe or a file gets UTF-8
        const QByteArray bytes = text.toUtf8();
        WriteFile(handle, bytes.constData(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    }
}

QString RealProgramInfo::userPresets() {
    // An installed copy is the one whose folder the installer recorded.
    const QString folder = programFolder();
    bool installed = false;
    for (const char* scope : {"HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER"}) {
        const QSettings key(QLatin1String(scope) + QStringLiteral("\\Software\\Ramulo\\Ramulo"),
                            QSettings::NativeFormat);
        const QString recorded = key.value(QStringLiteral("Default")).toString();
        if (!recorded.isEmpty() && displayPath(recorded).compare(folder, Qt::CaseInsensitive) == 0)
            installed = true;
    }
    const QString data = qEnvironmentVariable("APPDATA");
    if (!installed || !QDir::isAbsolutePath(data))
        return {};
    return displayPath(data + QStringLiteral("/Ramulo/presets"));
}

} // namespace ramulo
