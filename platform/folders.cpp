#include "platform/folders.h"

#include "platform/paths.h"

#include <QDir>
#include <QFile>

#include <system_error>

namespace ramulo {

std::optional<QByteArray> systemBytes(const QString& path) {
    if (path.contains(QChar(u'\0')) || !path.isValidUtf16())
        return std::nullopt;
    return QFile::encodeName(path);
}

bool isEntryName(const QString& name) {
    if (name.isEmpty() || name == QStringLiteral(".") || name == QStringLiteral(".."))
        return false;
    // One pass: the preview asks this of every name.
    const qsizetype n = name.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = name.at(i);
        if (c == u'/' || c == pathSeparator() || c == u'\0')
            return false;
        if (c.isHighSurrogate() && i + 1 < n && name.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return false;
    }
    return true;
}

std::optional<QByteArray> entryName(const QString& name) {
    if (!isEntryName(name))
        return std::nullopt;
    return QFile::encodeName(name);
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

std::optional<QString> firstReadableFolder(FileSystem& files, const QStringList& folders) {
    for (const QString& folder : folders)
        if (!folder.isEmpty() && !files.unreadable(folder))
            return folder;
    return std::nullopt;
}

QString displayPath(const QString& path) {
    // cleanPath keeps the separator of a root ("/", "C:/") and drops any other.
    return QDir::toNativeSeparators(QDir::cleanPath(QDir(path).absolutePath()));
}

} // namespace ramulo
