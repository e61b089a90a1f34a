#include "platform/folders.h"

#include "platform/paths.h"

#include <QDir>
#include <QFile>

#include <system_error>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <sys/stat.h>
#endif

namespace ramulo {

std::optional<std::filesystem::path> systemPath(const QString& path) {
#ifdef Q_OS_WIN
    // Names are UTF-16 there, taken as they are.
    if (path.contains(QChar(u'\0')))
        return std::nullopt;
    return std::filesystem::path(path.toStdWString());
#else
    if (auto bytes = systemBytes(path))
        return std::filesystem::path(bytes->toStdString());
    return std::nullopt;
#endif
}

std::optional<QByteArray> systemBytes(const QString& path) {
    if (path.contains(QChar(u'\0')) || !path.isValidUtf16())
        return std::nullopt;
    return QFile::encodeName(path);
}

std::optional<QByteArray> entryName(const QString& name) {
    if (name.isEmpty() || name == QStringLiteral(".") || name == QStringLiteral("..") ||
        name.contains(u'/') || name.contains(pathSeparator()))
        return std::nullopt;
    return systemBytes(name);
}

std::optional<QString> unreadableFolder(const QString& path) {
    std::error_code error = std::make_error_code(std::errc::invalid_argument);
    if (const auto native = systemPath(path); native && !native->empty()) {
        const std::filesystem::directory_iterator listing(*native, error);
    } else if (native) {
        error = std::make_error_code(std::errc::no_such_file_or_directory);
    }
    if (!error)
        return std::nullopt;
    return QString::fromLocal8Bit(error.message());
}

QStringList subFolders(const QString& folder) {
#ifdef Q_OS_UNIX
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
#else
    return QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted);
#endif
}

std::optional<QString> firstReadableFolder(const QStringList& folders) {
    for (const QString& folder : folders)
        if (!folder.isEmpty() && !unreadableFolder(folder))
            return folder;
    return std::nullopt;
}

QString displayPath(const QString& path) {
    // cleanPath keeps the separator of a root ("/", "C:/") and drops any other.
    return QDir::toNativeSeparators(QDir::cleanPath(QDir(path).absolutePath()));
}

} // namespace ramulo
