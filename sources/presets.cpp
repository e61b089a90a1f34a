#include "sources/presets.h"

#include <QStringDecoder>
#include <QtEndian>

#include <array>

namespace ramulo {

namespace {

// Windows-1252 differs from Latin-1 in 0x80 to 0x9F; its five unused bytes
// keep their Latin-1 control characters, as Windows maps them.
constexpr std::array<char16_t, 32> kWindows1252High{
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178'};

QString fromWindows1252(const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char b : bytes) {
        const auto byte = static_cast<unsigned char>(b);
        *out++ = QChar(byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : byte);
    }
    return text;
}

bool startsAsUtf16(const QByteArray& bytes) {
    return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
}

std::optional<QString> decoded(const QByteArray& bytes, QString& refusal) {
    const bool littleEndian = bytes.startsWith("\xFF\xFE");
    if (startsAsUtf16(bytes)) {
        // A file cut short: the decoder would drop an odd last byte, and a
        // high surrogate last is half a character whose pair is missing.
        const QByteArray units = bytes.sliced(2);
        const qsizetype n = units.size();
        quint16 last = 0;
        if (n >= 2) {
            const char* const at = units.constData() + n - 2;
            last = littleEndian ? qFromLittleEndian<quint16>(at) : qFromBigEndian<quint16>(at);
        }
        if (n % 2 != 0 || QChar::isHighSurrogate(last)) {
            refusal = QStringLiteral("le fichier UTF-16 est coupé : son dernier caractère est "
                                     "incomplet.");
            return std::nullopt;
        }
        QStringDecoder utf16(littleEndian ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        return QString(utf16(units));
    }
    if (const auto why = notText(bytes)) {
        refusal = *why;
        return std::nullopt;
    }
    // Stateless: a sequence cut short by the end of the file is an error, not
    // bytes held back for more input ("Caf\xE9" is Windows-1252). Drops a BOM.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError())
        return fromWindows1252(bytes);
    return text;
}

} // namespace

std::optional<QString> notText(const QByteArray& head) {
    if (startsAsUtf16(head) || !head.contains('\0'))
        return std::nullopt;
    return QStringLiteral("ce n'est pas un fichier texte.");
}

std::optional<QString> presetText(const QByteArray& bytes, QString* refusal) {
    QString why;
    const std::optional<QString> text = decoded(bytes, why);
    if (!text) {
        if (refusal)
            *refusal = why;
        return std::nullopt;
    }
    QString result;
    result.reserve(text->size() + text->size() / 16);
    bool pendingBreak = false; // a line ended; its break is written before the next line
    const QChar* const chars = text->constData();
    const qsizetype n = text->size();
    qsizetype from = 0; // where the characters of the current line start
    for (qsizetype i = 0; i <= n; ++i) {
        if (i < n && chars[i] != u'\r' && chars[i] != u'\n')
            continue;
        if (i > from) {
            if (pendingBreak)
                result += QStringLiteral("\r\n");
            pendingBreak = false;
            result.append(chars + from, i - from);
        }
        if (i == n)
            break;
        if (chars[i] == u'\r' && i + 1 < n && chars[i + 1] == u'\n')
            ++i;
        if (pendingBreak)
            result += QStringLiteral("\r\n");
        pendingBreak = !result.isEmpty();
        from = i + 1;
    }
    return result;
}

} // namespace ramulo
