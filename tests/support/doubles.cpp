#include "support/doubles.h"

#include <QFile>
#include <QFileInfo>

#include <system_error>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace ramulo::test {

Harness::Harness() {
    makeFolder(QStringLiteral("program/presets"));
    drives->drives = {displayPath(root.path())};
    drives->system = drives->drives.first();
    drives->working = makeFolder(QStringLiteral("work"));
    drives->home = makeFolder(QStringLiteral("home"));
    program->folder = path(QStringLiteral("program"));
}

void Harness::writeFile(const QString& relative, const QByteArray& bytes) const {
    makeFolder(QFileInfo(relative).path());
    QFile file(root.filePath(relative));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

QString systemReason(Why why) {
#ifdef Q_OS_WIN
    const DWORD codes[] = {ERROR_ALREADY_EXISTS, ERROR_PATH_NOT_FOUND, ERROR_DIRECTORY};
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   codes[int(why)], 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    const QString message = QString::fromWCharArray(text).trimmed();
    LocalFree(text);
    return message;
#else
    const int codes[] = {EEXIST, ENOENT, ENOTDIR};
    return QString::fromLocal8Bit(std::generic_category().message(codes[int(why)]));
#endif
}

bool makePipe(const QString& path) {
#ifdef Q_OS_WIN
    Q_UNUSED(path);
    return false;
#else
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
#endif
}

} // namespace ramulo::test
