#include "editor/transform.h"

#include <algorithm>
#include <optional>

namespace ramulo {

namespace {

// What replaces a forbidden character; none: it is removed.
std::optional<char16_t> forbiddenReplacement(ForbiddenMode mode) {
    switch (mode) {
    case ForbiddenMode::Space:
        return u' ';
    case ForbiddenMode::Underscore:
        return u'_';
    case ForbiddenMode::Dash:
        return u'-';
    default:
        return std::nullopt;
    }
}

// The (from, to) characters of a swap mode; '\0' twice for none.
struct Swap {
    char16_t from;
    char16_t to;
};

Swap separatorSwap(SwapMode mode) {
    switch (mode) {
    case SwapMode::SpaceToUnderscore:
        return {u' ', u'_'};
    case SwapMode::SpaceToDash:
        return {u' ', u'-'};
    case SwapMode::UnderscoreToSpace:
        return {u'_', u' '};
    case SwapMode::UnderscoreToDash:
        return {u'_', u'-'};
    case SwapMode::DashToSpace:
        return {u'-', u' '};
    case SwapMode::DashToUnderscore:
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

QString addAffixes(const QString& raw, const AddsSettings& settings) {
    // An empty line stays empty: no prefix or suffix for it.
    if (raw.isEmpty() || (!settings.prefixOn && !settings.suffixOn))
        return raw;
    const QStringView prefix = settings.prefixOn ? QStringView(settings.prefix) : QStringView();
    const QStringView suffix = settings.suffixOn ? QStringView(settings.suffix) : QStringView();
    QString text;
    text.reserve(prefix.size() + raw.size() + suffix.size());
    text.append(prefix).append(raw).append(suffix);
    return text;
}

QString replaceForbidden(QString text, ForbiddenMode mode) {
    const auto first = std::find_if(text.cbegin(), text.cend(), isForbiddenCharacter);
    if (first == text.cend())
        return text; // shared as it came, not copied
    const qsizetype from = first - text.cbegin();
    QChar* const begin = text.data();
    QChar* const end = begin + text.size();
    if (const auto replacement = forbiddenReplacement(mode)) {
        std::replace_if(begin + from, end, isForbiddenCharacter, QChar(*replacement));
        return text;
    }
    const bool tree = mode == ForbiddenMode::Tree;
    const auto removed = [tree](QChar c) {
        return isForbiddenCharacter(c) && !(tree && (c == u'/' || c == u'\\'));
    };
    text.truncate(std::remove_if(begin + from, end, removed) - begin);
    return text;
}

QString swapSeparators(QString text, SwapMode mode) {
    const Swap swap = separatorSwap(mode);
    if (swap.from == u'\0' || !text.contains(QChar(swap.from)))
        return text;
    text.replace(QChar(swap.from), QChar(swap.to));
    return text;
}

QString trimSpaces(QString text) {
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == u' ')
        --end;
    qsizetype start = 0;
    while (start < end && text.at(start) == u' ')
        ++start;
    if (end < text.size())
        text.truncate(end);
    if (start > 0)
        text.remove(0, start);
    return text;
}

QString applyAdds(const QString& raw, const AddsSettings& settings) {
    return trimSpaces(
        swapSeparators(replaceForbidden(addAffixes(raw, settings), settings.forbiddenMode),
                       settings.separatorMode));
}

QString applyCase(const QString& name, CaseMode mode) {
    if (mode < CaseMode::Lower || mode > CaseMode::Upper || name.isEmpty())
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
        switch (mode) {
        case CaseMode::FirstUpper:
            upper = i == 0;
            break;
        case CaseMode::Proper:
            upper = wordStart;
            break;
        case CaseMode::Upper:
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
