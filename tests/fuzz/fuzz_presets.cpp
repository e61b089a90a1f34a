// A preset or dropped file's bytes as the editor's text. The input is the
// file itself.

#include "sources/presets.h"

#include <QStringView>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz_check.h"

using namespace ramulo;

namespace {

QString withoutBreaks(QString text) {
    return text.remove(u'\r').remove(u'\n');
}

// UTF-16 units as they are, half pairs included.
QString units(const QByteArray& bytes, bool littleEndian) {
    QString text;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        text += QChar(char16_t(littleEndian ? first | second << 8 : first << 8 | second));
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QString why;
    const std::optional<QString> text = presetText(bytes, &why);

    // A file its first bytes refuse is refused whole, for the same reason.
    for (const qsizetype head : {qsizetype(1), qsizetype(3), bytes.size() / 2, bytes.size()})
        if (const auto refused = notText(bytes.first(std::min(head, bytes.size()))))
            FUZZ_CHECK(!text && why == *refused);

    const bool utf16 = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    if (!text) {
        FUZZ_CHECK(!why.isEmpty());
        // Refused: not text (a NUL outside UTF-16), or UTF-16 cut short.
        const QString body = utf16 ? units(bytes.sliced(2), bytes.startsWith("\xFF\xFE")) : "";
        FUZZ_CHECK(utf16
                       ? bytes.size() % 2 != 0 || (!body.isEmpty() && body.back().isHighSurrogate())
                       : bytes.contains('\0'));
        return 0;
    }
    // Lines end in CR LF alone, and no empty line comes first.
    for (qsizetype i = 0; i < text->size(); ++i)
        if (text->at(i) == u'\r' || text->at(i) == u'\n')
            FUZZ_CHECK(text->at(i) == u'\r' ? text->sliced(i).startsWith(u"\r\n")
                                            : i > 0 && text->at(i - 1) == u'\r');
    FUZZ_CHECK(!text->startsWith(u"\r\n"));

    // Whatever the encoding, the characters between the breaks are the file's.
    QString read;
    if (utf16) {
        read = units(bytes.sliced(2), bytes.startsWith("\xFF\xFE"));
        // The decoder drops a second BOM as well, where UTF-8 keeps it.
        if (read.startsWith(QChar(0xFEFF)))
            read.remove(0, 1);
    } else if (bytes.isValidUtf8()) {
        // A first BOM is no character; fromUtf8 would drop a second one too.
        const QByteArray body = bytes.startsWith("\xEF\xBB\xBF") ? bytes.sliced(3) : bytes;
        read = QString::fromUtf8("x" + body).sliced(1);
    } else {
        // Windows-1252: a character a byte.
        FUZZ_CHECK(withoutBreaks(*text).size() ==
                   bytes.size() - bytes.count('\r') - bytes.count('\n'));
        return 0;
    }
    FUZZ_CHECK(withoutBreaks(*text) == withoutBreaks(read));
    return 0;
}
