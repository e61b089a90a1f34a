#include "editor/namelist.h"

namespace ramulo {

QStringList splitLines(const QString& text) {
    if (text.isEmpty())
        return {};
    return text.split(QStringLiteral("\r\n"), Qt::KeepEmptyParts);
}

} // namespace ramulo
