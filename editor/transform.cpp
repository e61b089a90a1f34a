#include "editor/transform.h"

#include <array>
#include <string_view>
#include <utility>

namespace ramulo {

namespace {

// The nine characters a folder name may not hold.
constexpr char16_t kForbidden[] = u"\\/:*?\"<>|";

// All forbidden characters are ASCII, so a 128-entry table answers in one load.
constexpr std::array<bool, 128> kForbiddenTable = [] {
    std::array<bool, 128> table{};
    for (const char16_t c : std::u16string_view(kForbidden))
        table[c] = true;
    return table;
}();

constexpr bool isForbidden(char16_t c) noexcept {
    return c < kForbiddenTable.size() && kForbiddenTable[c];
}

// What replaces a forbidden character ("" removes it); unknown modes remove.
QString forbiddenReplacement(int forbiddenMode) {
    switch (forbiddenMode) {
    case 1:
        return QStringLiteral(" ");
    case 2:
        return QStringLiteral("_");
    case 3:
        return QStringLiteral("-");
    default:
        return {};
    }
}

// The (from, to) characters of a separator mode; '\0' twice for none.
struct Swap {
    char16_t from;
    char16_t to;
};

Swap separatorSwap(int separatorMode) {
    switch (separatorMode) {
    case 1:
        return {u' ', u'_'};
    case 2:
        return {u' ', u'-'};
    case 3:
        return {u'_', u' '};
    case 4:
        return {u'_', u'-'};
    case 5:
        return {u'-', u' '};
    case 6:
        return {u'-', u'_'};
    default:
        return {u'\0', u'\0'};
    }
}

// Proper case starts a word after a space, tab, line feed, vertical tab,
// form feed, carriage return or NUL.
bool isWordSeparator(char32_t c) {
    return c == U' ' || c == U'\0' || (c >= U'\t' && c <= U'\r');
}

} // namespace

QString applyAdds(const QString& raw, const AddsSettings& settings) {
    // An empty line stays empty: no prefix or suffix for it.
    if (raw.isEmpty())
        return {};

    const QStringView prefix = settings.prefixOn ? QStringView(settings.prefix) : QStringView();
    const QStringView suffix = settings.suffixOn ? QStringView(settings.suffix) : QStringView();

    const Swap swap = separatorSwap(settings.separatorMode);
    const auto swapped = [swap](char16_t c) {
        return (swap.from != u'\0' && c == swap.from) ? swap.to : c;
    };

    // What replaces a forbidden character goes through the swap as well, since
    // the swap runs over the text once the forbidden characters are gone.
    QString replacement = forbiddenReplacement(settings.forbiddenMode);
    for (QChar& c : replacement)
        c = QChar(swapped(c.unicode()));

    const qsizetype inputLength = prefix.size() + raw.size() + suffix.size();
    const qsizetype capacity = inputLength * qMax<qsizetype>(1, replacement.size());
    QString out(capacity, Qt::Uninitialized);
    QChar* const begin = out.data();
    QChar* dst = begin;

    // Leading spaces are dropped as they come; trailing ones are cut at the end.
    const auto put = [&](char16_t c) {
        if (c == u' ' && dst == begin)
            return;
        *dst++ = QChar(c);
    };
    const auto feed = [&](QStringView part) {
        for (const QChar ch : part) {
            const char16_t c = ch.unicode();
            if (isForbidden(c)) {
                for (const QChar r : std::as_const(replacement))
                    put(r.unicode());
            } else {
                put(swapped(c));
            }
        }
    };
    feed(prefix);
    feed(raw);
    feed(suffix);

    qsizetype length = dst - begin;
    while (length > 0 && begin[length - 1] == u' ')
        --length;
    out.resize(length);
    return out;
}

QString applyCase(const QString& name, int caseMode) {
    if (caseMode < 1 || caseMode > 4 || name.isEmpty())
        return name;

    const QChar* const src = name.constData();
    const qsizetype n = name.size();
    QString out = name;
    QChar* dst = nullptr; // detached lazily, on the first character that changes

    bool wordStart = true;
    for (qsizetype i = 0; i < n;) {
        char32_t cp = src[i].unicode();
        qsizetype width = 1;
        if (src[i].isHighSurrogate() && i + 1 < n && src[i + 1].isLowSurrogate()) {
            cp = QChar::surrogateToUcs4(src[i], src[i + 1]);
            width = 2;
        }

        bool upper = false;
        switch (caseMode) {
        case 2:
            upper = i == 0;
            break;
        case 3:
            upper = wordStart;
            break;
        case 4:
            upper = true;
            break;
        default:
            break;
        }

        const char32_t mapped = upper ? QChar::toUpper(cp) : QChar::toLower(cp);
        // A mapping that would change the UTF-16 length keeps the original.
        if (mapped != cp && QChar::requiresSurrogates(mapped) == (width == 2)) {
            if (!dst)
                dst = out.data();
            if (width == 2) {
                dst[i] = QChar(QChar::highSurrogate(mapped));
                dst[i + 1] = QChar(QChar::lowSurrogate(mapped));
            } else {
                dst[i] = QChar(static_cast<char16_t>(mapped));
            }
        }

        wordStart = isWordSeparator(cp);
        i += width;
    }
    return out;
}

} // namespace ramulo
