#pragma once
// The editor's text as a list of raw lines.

#include <QStringList>

#include <vector>

namespace ramulo {

// Splits at every CR LF pair. Empty pieces stay (a text ending with CR LF
// gives a last, empty line); an empty text gives no line; a lone CR or LF does
// not split.
QStringList splitLines(const QString& text);

// For each line, how many lines above it hold the same text. It depends on
// the text alone, so the window keeps it while the text does not change.
std::vector<qint32> earlierCopies(const QStringList& lines);

} // namespace ramulo
