// A preset file's bytes turned into the editor's text.
//
// Bytes: the file, as it is.

#include "fuzz.h"

#include "sources/presets.h"

#include <QByteArray>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <vector>

using namespace ramulo;

namespace {

// Valid to the last byte: a sequence cut short at the end is no UTF-8.
bool isValidUtf8(const QByteArray& bytes) {
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    [[maybe_unused]] const QString text = utf8(bytes);
    return !utf8.hasError();
}

bool isBreak(char16_t c) {
    return c == u'\r' || c == u'\n';
}

// The UTF-16 units the file's text should have, told by the encoding rules
// alone: CR and LF as they are, any other character as 'x' once per unit. CR
// and LF never stand inside another character in UTF-8 or Windows-1252; a
// BOM is no character.
std::vector<char16_t> units(const QByteArray& bytes) {
    std::vector<char16_t> out;
    const bool littleEndian = bytes.startsWith("\xFF\xFE");
    if (littleEndian || bytes.startsWith("\xFE\xFF")) {
        for (qsizetype i = 2; i + 1 < bytes.size(); i += 2) {
            const auto a = static_cast<unsigned char>(bytes[i]);
            const auto b = static_cast<unsigned char>(bytes[i + 1]);
            const char16_t unit = littleEndian ? char16_t(a | b << 8) : char16_t(a << 8 | b);
            if (!(i == 2 && unit == 0xFEFF))
                out.push_back(isBreak(unit) ? unit : u'x');
        }
    } else if (isValidUtf8(bytes)) {
        const bool bom = bytes.startsWith("\xEF\xBB\xBF");
        for (const char c : bytes.sliced(bom ? 3 : 0)) {
            const auto byte = static_cast<unsigned char>(c);
            if (isBreak(byte))
                out.push_back(byte);
            else if (byte < 0x80 || byte >= 0xC0)
                out.insert(out.end(), byte >= 0xF0 ? 2 : 1, u'x'); // four bytes: a pair
        }
    } else {
        for (const char c : bytes)
            out.push_back(isBreak(static_cast<unsigned char>(c)) ? c : u'x');
    }
    return out;
}

// The lines the editor should get: CR LF, LF and CR each end a line; empty
// lines before the first non-empty one are dropped, and so is the empty
// piece after the final break. So: one line per break after the first
// character, plus one unless the text ends with a break.
qsizetype expectedLines(const std::vector<char16_t>& text) {
    const auto first = std::find_if_not(text.begin(), text.end(), isBreak);
    if (first == text.end())
        return 0;
    qsizetype breaks = 0;
    for (auto c = first; c != text.end(); ++c)
        breaks += *c == u'\n' || (*c == u'\r' && (c + 1 == text.end() || c[1] != u'\n'));
    return breaks + (isBreak(text.back()) ? 0 : 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const bool utf16 = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    const std::optional<QString> text = presetText(bytes);
    FUZZ_CHECK(text.has_value() == (utf16 || !bytes.contains('\0')));
    if (!text)
        return 0;

    // Breaks are CR LF pairs, between lines only; the first line is not empty.
    const qsizetype breaks = text->count(QStringLiteral("\r\n"));
    FUZZ_CHECK(text->count(u'\r') == breaks && text->count(u'\n') == breaks);
    FUZZ_CHECK(!text->startsWith(u'\r'));
    const std::vector<char16_t> expected = units(bytes);
    const qsizetype lines = expectedLines(expected);
    FUZZ_CHECK(breaks == std::max<qsizetype>(lines - 1, 0));
    // Nor a character (with the line count, this tells an empty text too).
    const auto characters =
        std::count_if(expected.begin(), expected.end(), [](char16_t c) { return !isBreak(c); });
    FUZZ_CHECK(text->size() - 2 * breaks == characters);

    // Plain ASCII comes out as it went in, breaks aside.
    const auto ascii = [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u != 0 && u < 0x80;
    };
    if (std::all_of(bytes.begin(), bytes.end(), ascii)) {
        QString kept = QString::fromLatin1(bytes);
        kept.removeIf([](QChar c) { return c == u'\r' || c == u'\n'; });
        QString shown = *text;
        shown.remove(QStringLiteral("\r\n"));
        FUZZ_CHECK(shown == kept);
    }

    // The editor's text saved as a file, each line ended by CR LF, in UTF-8 or
    // in UTF-16 with its BOM, reads back the same; a BOM at its start would be
    // taken as the file's own.
    if (!text->startsWith(QChar(0xFEFF))) {
        const QString saved = *text + QStringLiteral("\r\n");
        if (!text->contains(QChar(0)) && text->isValidUtf16())
            FUZZ_CHECK(presetText(saved.toUtf8()) == text);
        QStringEncoder utf16le(QStringConverter::Utf16LE);
        FUZZ_CHECK(presetText("\xFF\xFE" + QByteArray(utf16le(saved))) == text);
    }
    return 0;
}
