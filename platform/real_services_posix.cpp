// The services of a POSIX system: Linux, and macOS as far as it goes.

#include "platform/real_services.h"

#include "platform/folders.h"
#include "platform/paths.h"
#include "platform/volumes.h"

#include <QDir>
#include <QFile>
#include <QHash>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>

#include <climits>
#include <cstdio>

#include <dirent.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef Q_OS_LINUX
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/sysmacros.h>
#include <sys/vfs.h>
#endif

namespace ramulo {

std::optional<std::filesystem::path> systemPath(const QString& path) {
    if (auto bytes = systemBytes(path))
        return std::filesystem::path(bytes->toStdString());
    return std::nullopt;
}

FileSystem::Entry RealFileSystem::entryAt(const QString& path) {
    const auto native = systemPath(path);
    if (!native)
        return Entry::None;
    return entryIn(AT_FDCWD, native->c_str());
}

// What a path holds, relative to an open folder. One system call for the
// usual answers (nothing there, a folder, a file): the preview asks this for
// every name.
FileSystem::Entry RealFileSystem::entryIn(int folder, const char* path) {
    struct stat info {};
    if (::fstatat(folder, path, &info, AT_SYMLINK_NOFOLLOW) != 0)
        return Entry::None;
    if (S_ISDIR(info.st_mode))
        return Entry::Folder;
    if (S_ISREG(info.st_mode))
        return Entry::File;
    if (!S_ISLNK(info.st_mode))
        return Entry::Other;
    const bool toFolder = ::fstatat(folder, path, &info, 0) == 0 && S_ISDIR(info.st_mode);
    return toFolder ? Entry::FolderLink : Entry::Link;
}

std::optional<QString> RealFileSystem::createFolder(const QString& path) {
    std::error_code error = std::make_error_code(std::errc::invalid_argument);
    if (const auto native = systemPath(path)) {
        if (std::filesystem::create_directory(*native, error))
            return std::nullopt;
        // create_directory reports an existing folder as "not created" without an error.
        if (!error)
            error = std::make_error_code(std::errc::file_exists);
    }
    return QString::fromLocal8Bit(error.message());
}

namespace {

int openFolder(const std::filesystem::path& native) {
    return ::open(native.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

QString composed(const QString& name) {
    return name.normalized(QString::NormalizationForm_C);
}

// Notes a name of a folder's listing that is not composed, by its composed form.
void noteRespelling(const QString& name, RealFileSystem::Respellings& respellings) {
    if (plainlyComposed(name))
        return;
    if (QString form = composed(name); form != name)
        respellings.insert(std::move(form), name);
}

// Whether a name or relative path of `bytes`, joined to a folder path of
// `folderBytes`, still makes a path the system takes. A longer one is asked
// or made by its joined path, so that the system's own answer comes back.
bool fitsIn(std::size_t folderBytes, qsizetype bytes) {
    return folderBytes + 1 + static_cast<std::size_t>(bytes) < PATH_MAX;
}

} // namespace

std::vector<FileSystem::Entry> RealFileSystem::entriesOneByOne(const QString& folder,
                                                               const QStringList& names) {
    std::vector<Entry> entries(static_cast<std::size_t>(names.size()));
    // Relative to the open folder: the system walks the name, not the whole path.
    const auto native = systemPath(folder);
    const int handle = native ? openFolder(*native) : -1;
    inSlices(names.size(), [&](qsizetype begin, qsizetype end) {
        for (qsizetype i = begin; i < end; ++i) {
            const QString& name = names.at(i);
            const auto bytes = handle < 0 ? std::nullopt : systemBytes(name);
            entries[static_cast<std::size_t>(i)] =
                !bytes || bytes->isEmpty() || !fitsIn(native->native().size(), bytes->size())
                    ? RealFileSystem::entryAt(joinPath(folder, name))
                    : entryIn(handle, bytes->constData());
        }
    });
    if (handle >= 0)
        ::close(handle);
    return entries;
}

std::optional<std::vector<FileSystem::Entry>>
RealFileSystem::entriesByListing(const QString& folder, const QStringList& names,
                                 Respellings* respellings) {
#ifdef Q_OS_LINUX
    const auto native = systemPath(folder);
    if (!native)
        return std::nullopt;
    const int handle = openFolder(*native);
    if (handle < 0)
        return std::nullopt;
    // Only where a name missing from the listing is a name that is not there.
    const Volume volume = volumeOf(handle);
    const bool byBytes = volume.kind == Volume::Kind::ByteNames && volume.foldsCase == false;
    DIR* listing = byBytes ? ::fdopendir(handle) : nullptr;
    if (!listing) {
        ::close(handle);
        return std::nullopt;
    }
    // The folder's entries by name. An entry that is not UTF-8 is no name of
    // the list's: a name reaches the system in UTF-8.
    QHash<QString, unsigned char> types;
    errno = 0;
    // A folder far larger than the list is not worth reading whole.
    const qsizetype most = 2 * names.size() + kManyNames;
    qsizetype read = 0;
    while (const dirent* entry = ::readdir(listing)) {
        if (++read > most)
            break;
        // "." and ".." are no name of the list's: an empty folder then answers
        // without a look-up.
        if (const QByteArrayView bytes(entry->d_name);
            bytes != "." && bytes != ".." && bytes.isValidUtf8()) {
            QString name = QString::fromUtf8(bytes);
            if (respellings)
                noteRespelling(name, *respellings);
            types.insert(std::move(name), entry->d_type);
        }
    }
    const bool complete = errno == 0 && read <= most;
    ::closedir(listing);
    if (!complete)
        return std::nullopt;

    // Any other name, or one whose full path may be too long, is asked by its path.
    const std::size_t folderBytes = native->native().size();
    std::vector<Entry> entries(static_cast<std::size_t>(names.size()));
    inSlices(names.size(), [&](qsizetype begin, qsizetype end) {
        for (qsizetype i = begin; i < end; ++i) {
            const QString& name = names.at(i);
            // Three bytes of UTF-8 at most for each UTF-16 unit.
            const bool plain = isEntryName(name) && fitsIn(folderBytes, 3 * name.size());
            const auto type = plain ? types.constFind(name) : types.cend();
            Entry& entry = entries[static_cast<std::size_t>(i)];
            if (plain && type == types.cend())
                entry = Entry::None;
            else if (!plain || *type == DT_LNK || *type == DT_UNKNOWN)
                entry = RealFileSystem::entryAt(joinPath(folder, name));
            else // a pipe, a socket or a device is something else
                entry = *type == DT_DIR   ? Entry::Folder
                        : *type == DT_REG ? Entry::File
                                          : Entry::Other;
        }
    });
    return entries;
#else
    Q_UNUSED(folder);
    Q_UNUSED(names);
    Q_UNUSED(respellings);
    return std::nullopt;
#endif
}

// Only a name with a character past ASCII can be written two ways.
void RealFileSystem::markRespelt(const QString& folder, const QStringList& names,
                                 const ByFolder& byFolder,
                                 const QHash<QStringView, Respellings>& listed,
                                 std::vector<Entry>& entries) {
    for (auto place = byFolder.cbegin(); place != byFolder.cend(); ++place) {
        const auto& held = place.value();
        if (std::none_of(held.begin(), held.end(),
                         [&](qsizetype i) { return entries[std::size_t(i)] == Entry::None; }))
            continue;
        const QString here = joinPath(folder, place.key().toString());
        Respellings otherwise = listed.value(place.key());
        if (!listed.contains(place.key())) {
            const auto native = systemPath(here);
            DIR* const listing = native ? ::opendir(native->c_str()) : nullptr;
            if (!listing)
                continue;
            while (const dirent* entry = ::readdir(listing))
                noteRespelling(QFile::decodeName(entry->d_name), otherwise);
            ::closedir(listing);
        }
        const qsizetype cut = place.key().isEmpty() ? 0 : place.key().size() + 1;
        // Each name on its own: the names are shared among threads.
        inSlices(held.size(), [&](qsizetype begin, qsizetype end) {
            for (qsizetype k = begin; k < end; ++k) {
                const qsizetype i = held.at(k);
                const QStringView name = QStringView(names.at(i)).sliced(cut);
                // A composed name is found written otherwise only in the folder's listing.
                if (entries[std::size_t(i)] != Entry::None ||
                    (otherwise.isEmpty() && plainlyComposed(name)))
                    continue;
                const QString form = composed(name.toString());
                const QString other = otherwise.value(form, form == name ? QString() : form);
                const Entry found = other.isEmpty() ? Entry::None : entryAt(joinPath(here, other));
                if (found != Entry::None)
                    entries[std::size_t(i)] =
                        isFolder(found) ? Entry::RespeltFolder : Entry::Respelt;
            }
        });
    }
}

namespace {

// Makes each level of a path, and enters it, relative to the open folder
// above it, never through a link, so that nothing is made outside the
// destination. What it cannot name as one entry, or too long a path, it
// hands to the maker by joined paths.
class OpenFolderMaker : public FileSystem::FolderMaker {
public:
    OpenFolderMaker(FileSystem& files, const QString& folder, std::size_t folderBytes, int handle)
        : m_byPath(files.FileSystem::folderMaker(folder)), m_folderBytes(folderBytes),
          m_handle(handle) {}
    ~OpenFolderMaker() override {
        leaveFrom(0);
        ::close(m_handle);
    }
    std::optional<QString> make(const QStringList& levels, qint64& made) override {
        // What is not one entry, or too long a path, goes the joined path's way.
        std::vector<QByteArray> names;
        qsizetype bytes = -1; // the separators between levels
        for (const QString& level : levels) {
            auto name = entryName(level);
            if (!name)
                return m_byPath->make(levels, made);
            bytes += 1 + name->size();
            names.push_back(std::move(*name));
        }
        if (names.empty() || !fitsIn(m_folderBytes, bytes))
            return m_byPath->make(levels, made);

        // The upper levels of the previous path stay open: an outline goes
        // on under them.
        std::size_t kept = 0;
        while (kept < m_open.size() && kept + 1 < names.size() && m_open[kept].first == names[kept])
            ++kept;
        leaveFrom(kept);
        for (std::size_t i = kept; i + 1 < names.size(); ++i) {
            if (::mkdirat(here(), names[i].constData(), 0777) == 0)
                ++made;
            else if (errno != EEXIST)
                return reason();
            const int level = ::openat(here(), names[i].constData(),
                                       O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (level < 0)
                return reason();
            m_open.emplace_back(names[i], level);
        }
        if (::mkdirat(here(), names.back().constData(), 0777) != 0)
            return reason();
        ++made;
        return std::nullopt;
    }

private:
    int here() const { return m_open.empty() ? m_handle : m_open.back().second; }
    void leaveFrom(std::size_t kept) {
        while (m_open.size() > kept) {
            ::close(m_open.back().second);
            m_open.pop_back();
        }
    }
    static QString reason() {
        return QString::fromLocal8Bit(std::generic_category().message(errno));
    }

    std::unique_ptr<FileSystem::FolderMaker> m_byPath;
    std::size_t m_folderBytes;
    int m_handle;
    std::vector<std::pair<QByteArray, int>> m_open; // the levels entered, outermost first
};

} // namespace

std::unique_ptr<FileSystem::FolderMaker> RealFileSystem::folderMaker(const QString& folder) {
    if (const auto native = systemPath(folder))
        if (const int handle = openFolder(*native); handle >= 0)
            return std::make_unique<OpenFolderMaker>(*this, folder, native->native().size(),
                                                     handle);
    return FileSystem::folderMaker(folder);
}

NameRules RealFileSystem::nameRules(const QString& folder) {
    NameRules rules;
    const auto native = systemPath(folder);
    const int handle = native ? openFolder(*native) : -1;
    if (handle < 0)
        return rules;
    if (const long longest = ::fpathconf(handle, _PC_NAME_MAX); longest > 0)
        rules.longestName = longest;
    if (const long longest = ::fpathconf(handle, _PC_PATH_MAX); longest > 0)
        rules.longestPath = longest - 1; // the count includes the final NUL
#ifdef _PC_CASE_SENSITIVE
    rules.ignoresCase = ::fpathconf(handle, _PC_CASE_SENSITIVE) == 0;
#endif
#ifdef Q_OS_LINUX
    const Volume volume = volumeOf(handle);
    if (volume.kind == Volume::Kind::Windows || volume.kind == Volume::Kind::Ntfs) {
        // Names are UTF-16 on the disk.
        rules.utf16 = true;
        rules.longestName = 255;
    }
    // Shared with Windows, and holding its names.
    rules.windowsNames = volume.kind == Volume::Kind::Windows;
    if (volume.kind == Volume::Kind::Windows || volume.kind == Volume::Kind::Smb)
        rules.ignoresCase = true;
    else if (volume.foldsCase)
        rules.ignoresCase = *volume.foldsCase;
    else
        rules.ignoresCase = probedCase(folder, handle, *native);
#endif
    ::close(handle);
    return rules;
}

#ifdef Q_OS_LINUX
std::pair<std::uint32_t, QByteArray> RealFileSystem::volumeType(int folder) {
    struct statfs volume {};
    if (::fstatfs(folder, &volume) != 0)
        return {};
    const auto magic = static_cast<std::uint32_t>(volume.f_type);
    // A FUSE disk's volume bears its block device's number; other FUSE volumes have none.
    struct stat info {};
    if (magic == kFuseMagic && ::fstat(folder, &info) == 0 && major(info.st_dev) != 0)
        return {magic, diskType(info.st_dev)};
    return {magic, {}};
}

std::optional<FileId> RealFileSystem::identityIn(int folder, const QByteArray& name) {
    struct stat info {};
    if (::fstatat(folder, name.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return std::nullopt;
    return FileId{info.st_dev, info.st_ino};
}

Volume RealFileSystem::volumeOf(int handle) {
    Volume found;
    const auto [magic, disk] = volumeType(handle);
    found.kind = kindOf(magic, disk);
    // ext4, f2fs and tmpfs may fold the case of one folder's entries. Without
    // the flag, only a file system known to keep case keeps it.
    int flags = 0;
    const bool asked = ::ioctl(handle, FS_IOC_GETFLAGS, &flags) == 0;
    if (asked && (flags & FS_CASEFOLD_FL))
        found.foldsCase = true;
    else if (found.kind == Volume::Kind::ByteNames &&
             (asked || errno == ENOTTY || errno == EOPNOTSUPP))
        found.foldsCase = false;
    return found;
}

bool RealFileSystem::probedCase(const QString& folder, int handle,
                                const std::filesystem::path& native) {
    struct stat info {};
    ::fstat(handle, &info);
    const QString key = folder + u'\n' + QString::number(info.st_dev);
    if (const auto kept = m_ignoresCase.constFind(key); kept != m_ignoresCase.cend())
        return *kept;
    const auto answer =
        probeCase(handle, QByteArray(native.filename().c_str()),
                  [this](int in, const QByteArray& name) { return identityIn(in, name); });
    if (answer)
        m_ignoresCase.insert(key, *answer);
    return answer.value_or(false);
}
#endif

QStringList RealFileSystem::subFolders(const QString& folder) {
    // The listing's own types answer for all but links: a tenth of the time
    // of asking about each entry.
    QStringList names;
    const auto native = systemPath(folder);
    DIR* const listing = native ? ::opendir(native->c_str()) : nullptr;
    if (!listing)
        return names;
    while (const dirent* entry = ::readdir(listing)) {
        if (entry->d_name[0] == '.')
            continue;
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat info {};
            isFolder =
                ::fstatat(::dirfd(listing), entry->d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
        }
        if (isFolder)
            names.append(QFile::decodeName(entry->d_name));
    }
    ::closedir(listing);
    return names;
}

std::optional<QString> RealFileSystem::unreadable(const QString& folder) {
    return unreadableFolder(folder);
}

std::optional<QString> RealDrives::notReady(const QString& drive) {
    return unreadableFolder(drive);
}

QStringList RealDrives::list() {
    return {QStringLiteral("/")};
}

QString RealDrives::systemDrive() {
    return QStringLiteral("/");
}

QString RealDrives::driveOf(const QString& path) {
    Q_UNUSED(path);
    return QStringLiteral("/");
}

QString RealDrives::currentFolder(const QString& drive) {
    return drive;
}

QStringList programArguments(int argc, char* argv[]) {
    QStringList arguments;
    for (int index = 0; index < argc; ++index)
        arguments << QString::fromLocal8Bit(argv[index]);
    return arguments;
}

QString userPresetsHelp() {
    return QStringLiteral("Presets personnels : $XDG_DATA_HOME/ramulo/presets\n"
                          "                     (par défaut ~/.local/share/ramulo/presets)\n");
}

void returnLargeBlocks() {
#ifdef __GLIBC__
    // A fixed threshold: glibc would raise it past the largest block freed.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
#endif
}

void writeOut(const QString& text, bool error) {
    std::fputs(text.toLocal8Bit().constData(), error ? stderr : stdout);
}

QString RealProgramInfo::userPresets() {
    // Only an installed copy, in <prefix>/lib/ramulo, has them.
    if (!programFolder().endsWith(QStringLiteral("/" RAMULO_PROGRAM_DIR)))
        return {};
    // A relative XDG_DATA_HOME is to be ignored, as an empty one is.
    const QString asked = qEnvironmentVariable("XDG_DATA_HOME");
    const QString data =
        QDir::isAbsolutePath(asked) ? asked : QDir::homePath() + QStringLiteral("/.local/share");
    return displayPath(data + QStringLiteral("/ramulo/presets"));
}

} // namespace ramulo
