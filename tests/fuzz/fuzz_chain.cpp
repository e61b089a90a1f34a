// The name chain as the window runs it: the additions, then the letter case.
//
// Bytes: flags (1 prefix on, 2 suffix on, 4 text as UTF-16), forbidden mode,
// separator mode, case mode, prefix length, suffix length, then the text: the
// prefix, the suffix and the raw line, in that order.

#include "fuzz.h"

#include "editor/transform.h"

#include <algorithm>
#include <climits>

using namespace ramulo;

namespace {

constexpr QStringView kForbidden = u"\\/:*?\"<>|";

bool isForbidden(QChar c) {
    return kForbidden.contains(c);
}

// -1 and the entries past the list stand for values the drop-down lists never give.
int modeFrom(std::uint8_t byte, int entries) {
    if (byte == 0xFF)
        return INT_MIN;
    if (byte == 0xFE)
        return INT_MAX;
    return byte % (entries + 2) - 1;
}

QString withForbidden(const QString& text, QStringView replacement) {
    QString out;
    for (const QChar c : text) {
        if (isForbidden(c))
            out += replacement;
        else
            out += c;
    }
    return out;
}

QString chain(const QString& raw, const AddsSettings& adds, int caseMode) {
    return applyCase(applyAdds(raw, adds), caseMode);
}

QChar swapFrom(int separatorMode) {
    switch (separatorMode) {
    case 1:
    case 2:
        return u' ';
    case 3:
    case 4:
        return u'_';
    case 5:
    case 6:
        return u'-';
    default:
        return QChar();
    }
}

void checkAdds(const QString& raw, const AddsSettings& s) {
    const QString out = applyAdds(raw, s);
    if (raw.isEmpty()) {
        FUZZ_CHECK(out.isEmpty());
        return;
    }
    FUZZ_CHECK(!out.startsWith(u' ') && !out.endsWith(u' '));
    FUZZ_CHECK(std::none_of(out.begin(), out.end(), isForbidden));
    const QChar from = swapFrom(s.separatorMode);
    if (!from.isNull())
        FUZZ_CHECK(!out.contains(from));
    // Every forbidden character becomes one character at most.
    qsizetype longest = raw.size();
    if (s.prefixOn)
        longest += s.prefix.size();
    if (s.suffixOn)
        longest += s.suffix.size();
    FUZZ_CHECK(out.size() <= longest);

    // A mode the list does not have removes, or swaps nothing.
    AddsSettings plain = s;
    if (s.forbiddenMode < 0 || s.forbiddenMode > 3) {
        plain.forbiddenMode = 0;
        FUZZ_CHECK(applyAdds(raw, plain) == out);
    }
    plain = s;
    if (s.separatorMode < 0 || s.separatorMode > 6) {
        plain.separatorMode = 0;
        FUZZ_CHECK(applyAdds(raw, plain) == out);
    }

    // Replacing a forbidden character is the same as the text having held the
    // replacement from the start; removing it, as never having held it (as
    // long as the line does not become empty, which would lose the affixes).
    static constexpr QStringView replacements[] = {u"", u" ", u"_", u"-"};
    if (s.forbiddenMode >= 0 && s.forbiddenMode <= 3) {
        const QStringView replacement = replacements[s.forbiddenMode];
        AddsSettings clean = s;
        clean.prefix = withForbidden(s.prefix, replacement);
        clean.suffix = withForbidden(s.suffix, replacement);
        const QString cleanRaw = withForbidden(raw, replacement);
        if (!cleanRaw.isEmpty())
            FUZZ_CHECK(applyAdds(cleanRaw, clean) == out);
    }
}

void checkCase(const QString& name, int caseMode) {
    const QString out = applyCase(name, caseMode);
    FUZZ_CHECK(out.size() == name.size());
    if (caseMode < 1 || caseMode > 4) {
        FUZZ_CHECK(out == name);
        return;
    }
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        FUZZ_CHECK(out.at(i).isSurrogate() == c.isSurrogate());
        // Blanks, digits and punctuation of ASCII have no case.
        if (c.unicode() < 0x80 && !c.isLetter())
            FUZZ_CHECK(out.at(i) == c);
    }
    // Case mapped once is mapped for good: word starts do not move.
    FUZZ_CHECK(applyCase(out, caseMode) == out);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    const std::uint8_t flags = in.byte();
    AddsSettings adds;
    adds.prefixOn = flags & 1;
    adds.suffixOn = flags & 2;
    adds.forbiddenMode = modeFrom(in.byte(), 4);
    adds.separatorMode = modeFrom(in.byte(), 7);
    const int caseMode = modeFrom(in.byte(), 5);
    const qsizetype prefixLength = in.byte() % 16;
    const qsizetype suffixLength = in.byte() % 16;
    const QString text = in.rest(flags & 4);
    adds.prefix = text.first(std::min(prefixLength, text.size()));
    adds.suffix = text.sliced(adds.prefix.size())
                      .first(std::min(suffixLength, text.size() - adds.prefix.size()));
    const QString raw = text.sliced(adds.prefix.size() + adds.suffix.size());

    checkAdds(raw, adds);
    checkCase(applyAdds(raw, adds), caseMode);
    checkCase(raw, caseMode);

    // No case mapping gives back a forbidden character.
    const QString name = chain(raw, adds, caseMode);
    FUZZ_CHECK(std::none_of(name.begin(), name.end(), isForbidden));
    return 0;
}
