#include "editor/namelist.h"

#include "editor/place_table.h"

namespace ramulo {

QStringList splitLines(const QString& text) {
    if (text.isEmpty())
        return {};
    return text.split(QStringLiteral("\r\n"), Qt::KeepEmptyParts);
}

std::vector<qint32> earlierCopies(const QStringList& lines) {
    std::vector<qint32> earlier(static_cast<std::size_t>(lines.size()));
    PlaceTable last(lines.size()); // the latest line of each text
    const auto textOf = [&](qint32 line) {
        return QStringView(lines.at(line));
    };
    for (qint32 line = 0; line < lines.size(); ++line)
        if (auto [latest, added] = last.insert(lines.at(line), line, textOf); !added) {
            earlier[std::size_t(line)] = earlier[std::size_t(latest)] + 1;
            latest = line;
        }
    return earlier;
}

} // namespace ramulo
