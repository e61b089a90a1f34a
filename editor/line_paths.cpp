#include "editor/line_paths.h"

#include "platform/paths.h"

#include <algorithm>

namespace ramulo {

namespace {
bool separatesLevels(QChar c) {
    return c == u'\t' || c == u'/' || c == u'\\';
}
} // namespace

LinePath LineReader::next(const QString& raw) {
    if (!m_chain.makesTrees())
        return flat(raw, m_chain(raw));

    qsizetype tabs = 0;
    while (tabs < raw.size() && raw.at(tabs) == u'\t')
        ++tabs;
    const QStringView rest = QStringView(raw).sliced(tabs);
    if (std::all_of(rest.begin(), rest.end(), [](QChar c) { return c == u' ' || c == u'\t'; }))
        return {{}, true, {}};

    // The prefix and the suffix join the text after the leading TABs, and the
    // forbidden characters go but for "/" and "\"; then the text is cut into
    // levels. A level's outer spaces belong to the path's layout: the level is
    // trimmed, then goes through the swap, the trim and the case on its own.
    const AddsSettings& adds = m_chain.adds;
    const QString text = replaceForbidden(addAffixes(rest.toString(), adds), adds.forbiddenMode);
    const QChar separator = pathSeparator();
    QString own;
    qsizetype ownLevels = 0;
    for (qsizetype start = 0, end = 0; end <= text.size(); ++end) {
        if (end < text.size() && !separatesLevels(text.at(end)))
            continue;
        const QString level =
            applyCase(trimSpaces(swapSeparators(trimSpaces(text.sliced(start, end - start)),
                                                adds.separatorMode)),
                      m_chain.caseMode);
        start = end + 1;
        if (level.isEmpty())
            continue; // "a//b" is "a/b"
        if (ownLevels++ > 0)
            own += separator;
        own += level;
    }
    if (own.isEmpty())
        return {};
    if (tabs > m_parentLevels)
        return {own, false, QStringLiteral("retrait sans dossier parent")};

    QString path = own;
    if (tabs > 0) {
        // The first `tabs` levels of the path above.
        const std::vector<qsizetype> ends = upperLevelEnds(m_parent);
        const qsizetype upper = tabs - 1;
        path =
            (upper < qsizetype(ends.size()) ? m_parent.first(ends[std::size_t(upper)]) : m_parent) +
            separator + own;
    }
    m_parent = path;
    m_parentLevels = tabs + ownLevels;
    for (const QStringView level : qTokenize(path, separator))
        if (level == u"." || level == u"..")
            return {path, false, QStringLiteral("« %1 » ne peut pas être un dossier").arg(level)};
    return {path, false, {}};
}

} // namespace ramulo
