// Draws the program's SVG pictures as PNG, for the places that take no SVG:
//     ramulo_render_icons <icon.svg> <folder> <icon name> <size>...
//         writes <folder>/<size>x<size>/apps/<icon name>.png for every size (the
//         hicolor icon theme);
//     ramulo_render_icons --picture <picture.svg> <picture.png> <scale>
//         writes the picture at its own size times the scale;
//     ramulo_render_icons --ico <icon.svg> <icon.ico> <size>...
//         writes a Windows icon holding one PNG image at each size (256 at most).
#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <QtEndian>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const char* program = "ramulo_render_icons";

int fail(const QString& text) {
    std::fprintf(stderr, "%s: %s\n", program, qPrintable(text));
    return 1;
}

QImage render(QSvgRenderer& renderer, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    return image;
}

std::vector<int> sizes(char* arguments[], int count, bool* ok) {
    std::vector<int> found;
    for (int i = 0; i < count; ++i) {
        const int size = QByteArray(arguments[i]).toInt(ok);
        if (!*ok || size <= 0)
            return *ok = false, found;
        found.push_back(size);
    }
    return found;
}

// ICONDIR, then one ICONDIRENTRY per image, then the PNG data of each. A
// 256-pixel side is written as 0.
QByteArray icoFile(const std::vector<QByteArray>& pngs, const std::vector<int>& sides) {
    QByteArray file;
    const auto put16 = [&file](quint16 value) {
        const quint16 little = qToLittleEndian(value);
        file.append(reinterpret_cast<const char*>(&little), 2);
    };
    const auto put32 = [&file](quint32 value) {
        const quint32 little = qToLittleEndian(value);
        file.append(reinterpret_cast<const char*>(&little), 4);
    };
    put16(0);
    put16(1); // an icon, not a cursor
    put16(static_cast<quint16>(pngs.size()));
    quint32 offset = 6 + 16 * static_cast<quint32>(pngs.size());
    for (std::size_t i = 0; i < pngs.size(); ++i) {
        const char side = static_cast<char>(sides[i] >= 256 ? 0 : sides[i]);
        file.append(side).append(side).append('\0').append('\0');
        put16(1);  // colour planes
        put16(32); // bits per pixel
        put32(static_cast<quint32>(pngs[i].size()));
        put32(offset);
        offset += static_cast<quint32>(pngs[i].size());
    }
    for (const QByteArray& png : pngs)
        file.append(png);
    return file;
}

} // namespace

int main(int argc, char* argv[]) {
    // Text in a picture needs the fonts of an application; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    const bool picture = mode == "--picture", ico = mode == "--ico";
    const int first = picture || ico ? 2 : 1;
    if (argc < first + 3) {
        std::fprintf(stderr,
                     "usage: %s <icon.svg> <folder> <icon name> <size>...\n"
                     "       %s --picture <picture.svg> <picture.png> <scale>\n"
                     "       %s --ico <icon.svg> <icon.ico> <size>...\n",
                     program, program, program);
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[first]));
    if (!renderer.isValid())
        return fail(
            QStringLiteral("cannot read %1 as SVG").arg(QString::fromLocal8Bit(argv[first])));
    const QString target = QString::fromLocal8Bit(argv[first + 1]);
    bool ok = true;

    if (picture) {
        const int scale = QByteArray(argv[first + 2]).toInt(&ok);
        if (!ok || scale <= 0)
            return fail(
                QStringLiteral("not a scale: %1").arg(QString::fromLocal8Bit(argv[first + 2])));
        if (!render(renderer, renderer.defaultSize() * scale).save(target, "PNG"))
            return fail(QStringLiteral("cannot write %1").arg(target));
        return 0;
    }

    const int start = ico ? first + 2 : first + 3;
    const std::vector<int> wanted = sizes(argv + start, argc - start, &ok);
    if (!ok || wanted.empty() || (ico && *std::max_element(wanted.begin(), wanted.end()) > 256))
        return fail(QStringLiteral("sizes are whole numbers above 0 (256 at most in an icon)"));
    if (ico) {
        std::vector<QByteArray> pngs;
        for (const int size : wanted) {
            QBuffer png;
            png.open(QIODevice::WriteOnly);
            render(renderer, QSize(size, size)).save(&png, "PNG");
            pngs.push_back(png.data());
        }
        QFile file(target);
        if (!file.open(QIODevice::WriteOnly) || file.write(icoFile(pngs, wanted)) < 0)
            return fail(QStringLiteral("cannot write %1").arg(target));
        return 0;
    }

    const QString name = QString::fromLocal8Bit(argv[first + 2]);
    for (const int size : wanted) {
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(target).arg(size);
        const QString file = QStringLiteral("%1/%2.png").arg(dir, name);
        if (!QDir().mkpath(dir) || !render(renderer, QSize(size, size)).save(file, "PNG"))
            return fail(QStringLiteral("cannot write %1").arg(file));
    }
    return 0;
}
