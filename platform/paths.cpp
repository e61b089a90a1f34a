#include "platform/paths.h"

#include <QDir>

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

QString displayPath(const QString& path) {
    // cleanPath keeps the separator of a root ("/", "C:/") and drops any other.
    return QDir::toNativeSeparators(QDir::cleanPath(QDir(path).absolutePath()));
}

} // namespace ramulo
