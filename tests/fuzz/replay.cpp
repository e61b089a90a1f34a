// Runs a harness without the fuzzing engine over the files named on the command line and the files
// of the folders named there, in name order. Fails when a property fails (the harness aborts), when
// an input cannot be read, or when there is none, so that a missing corpus cannot pass.

#include <QDir>
#include <QFile>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    QStringList files;
    for (int i = 1; i < argc; ++i) {
        const QString path = QFile::decodeName(argv[i]);
        if (!QFileInfo(path).isDir())
            files << path;
        for (const QString& name : QDir(path).entryList(QDir::Files, QDir::Name))
            files << QDir(path).filePath(name);
    }
    for (const QString& path : files) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(file.errorString()));
            return 1;
        }
        const QByteArray bytes = file.readAll();
        std::fprintf(stderr, "%s (%lld bytes)\n", qPrintable(path), qlonglong(bytes.size()));
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()));
    }
    std::fprintf(stderr, "%lld inputs replayed\n", qlonglong(files.size()));
    return files.isEmpty() ? 1 : 0;
}
