#pragma once
// The editor's text as a list of raw lines.

#include <QStringList>

namespace ramulo {

// Splits at every CR LF pair. Empty pieces stay (a text ending with CR LF
// gives a last, empty line); an empty text gives no line; a lone CR or LF does
// not split.
QStringList splitLines(const QString& text);

} // namespace ramulo
