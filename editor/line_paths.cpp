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
    if (m_chain.adds.forbiddenMode != kTreeMode)
        return {m_chain(raw), raw.isEmpty(), {}};

    qsizetype tabs = 0;
    while (tabs < raw.size() && raw.at(tabs) == u'\t')
        ++tabs;
    const QStringView rest = QStringView(raw).sliced(tabs);
    if (std::all_of(rest.begin(), rest.end(), [](QChar c) { return c == u' ' || c == u'\t'; }))
        return {{}, true, {}};

    // The prefix and the suffix join the whole text, then the text is cut into
    // levels. Each level loses the seven other forbidden characters and its
    // outer spaces, which belong to the path's layout; then it goes through
    // the swap, the trim and the case on its own.
    const AddsSettings& adds = m_chain.adds;
    QString text = adds.prefixOn ? adds.prefix : QString();
    text.append(rest);
    if (adds.suffixOn)
        text.append(adds.suffix);
    const AddsSettings cleaning;
    AddsSettings swapping;
    swapping.separatorMode = adds.separatorMode;
    const QChar separator = pathSeparator();
    QString own;
    qsizetype ownLevels = 0;
    for (qsizetype start = 0, end = 0; end <= text.size(); ++end) {
        if (end < text.size() && !separatesLevels(text.at(end)))
            continue;
        QString level = applyAdds(text.sliced(start, end - start), cleaning);
        if (swapping.separatorMode != 0)
            level = applyAdds(level, swapping);
        level = applyCase(level, m_chain.caseMode);
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
        qsizetype cut = -1;
        for (qsizetype k = 0; k < tabs; ++k)
            cut = m_parent.indexOf(separator, cut + 1);
        path = (cut < 0 ? m_parent : m_parent.first(cut)) + separator + own;
    }
    m_parent = path;
    m_parentLevels = tabs + ownLevels;
    for (const QStringView level : qTokenize(path, separator))
        if (level == u"." || level == u"..")
            return {path, false, QStringLiteral("« %1 » ne peut pas être un dossier").arg(level)};
    return {path, false, {}};
}

} // namespace ramulo
