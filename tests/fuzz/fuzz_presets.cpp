// A preset or dropped file's bytes as the editor's text. The input is the file itself.

#include "sources/presets.h"

#include <cstddef>
#include <cstdint>

#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QString why;
    const std::optional<QString> text = ramulo::presetText(bytes, &why);

    // A file its first bytes refuse is refused whole, for the same reason.
    for (const qsizetype head : {qsizetype(1), qsizetype(3), bytes.size() / 2, bytes.size()})
        if (const auto refused = ramulo::notText(bytes.first(std::min(head, bytes.size()))))
            FUZZ_CHECK(!text && why == *refused);

    // After a UTF-16 BOM, the units as they are, half pairs included.
    const bool utf16 = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    QString units;
    for (qsizetype i = 2; utf16 && i + 1 < bytes.size(); i += 2) {
        const auto first = uchar(bytes[i]), second = uchar(bytes[i + 1]);
        units += QChar(char16_t(bytes[0] == '\xFF' ? first | second << 8 : first << 8 | second));
    }
    if (!text) {
        // Refused, and why: not text (a NUL outside UTF-16), or UTF-16 cut short.
        FUZZ_CHECK(!why.isEmpty());
        FUZZ_CHECK(utf16 ? bytes.size() % 2 != 0 || (!units.isEmpty() && units.back().isHighSurrogate())
                         : bytes.contains('\0'));
        return 0;
    }
    // Lines end in CR LF alone, and no empty line comes first.
    const qsizetype breaks = text->count(u"\r\n");
    FUZZ_CHECK(text->count(u'\r') == breaks && text->count(u'\n') == breaks);
    FUZZ_CHECK(!text->startsWith(u"\r\n"));

    // Whatever the encoding, the characters between the breaks are the file's. After the first BOM,
    // the UTF-16 decoder drops a second one, where UTF-8 keeps it (fromUtf8 would not: the "x").
    const QString kept = QString(*text).remove(u'\r').remove(u'\n');
    const QByteArray utf8 = bytes.startsWith("\xEF\xBB\xBF") ? bytes.sliced(3) : bytes;
    QString read =
        utf16 ? units.sliced(units.startsWith(QChar(0xFEFF)) ? 1 : 0) : QString::fromUtf8("x" + utf8).sliced(1);
    read.remove(u'\r').remove(u'\n');
    if (utf16 || bytes.isValidUtf8())
        FUZZ_CHECK(kept == read);
    else // Windows-1252: a character a byte
        FUZZ_CHECK(kept.size() == bytes.size() - bytes.count('\r') - bytes.count('\n'));
    return 0;
}
