#include "platform/paths.h"

#include <QDir>

#include <filesystem>
#include <system_error>

namespace ramulo {

QChar pathSeparator() {
    return QDir::separator();
}

QString joinPath(const QString& folder, const QString& name) {
    if (folder.endsWith(pathSeparator()))
        return folder + name;
    return folder + pathSeparator() + name;
}

QString presetsFolder(const QString& programFolder) {
    return joinPath(programFolder, QStringLiteral("presets"));
}

std::optional<QString> unreadableFolder(const QString& path) {
    std::error_code error;
    const std::filesystem::directory_iterator listing(std::filesystem::path(path.toStdU16String()),
                                                      error);
    if (!error)
        return std::nullopt;
    return QString::fromLocal8Bit(error.message());
}

QString displayPath(const QString& path) {
    // cleanPath keeps the separator of a root ("/", "C:/") and drops any other.
    return QDir::toNativeSeparators(QDir::cleanPath(QDir(path).absolutePath()));
}

} // namespace ramulo
