#include "output/report.h"

#include "platform/paths.h"

#include <QHash>

#include <algorithm>

namespace ramulo {

PreviewReport buildPreview(const QStringList& lines, const PreviewInputs& inputs) {
    PreviewReport report;
    // How many earlier lines equal each non-empty raw line: one report line each.
    QHash<QString, qint64> seen;
    seen.reserve(lines.size());
    report.names.reserve(lines.size());

    for (const QString& raw : lines) {
        const QString name = inputs.folderName(raw);
        if (!name.isEmpty()) {
            report.names.append(name);
            ++report.count;
            if (inputs.folderExists(joinPath(inputs.destination(), name)))
                report.existing.append(QStringLiteral("- ") + raw + QStringLiteral(" > ") + name);
        }
        if (raw.isEmpty())
            continue;
        qint64& earlier = seen[raw];
        const qint64 room = kDuplicateReportLimit - report.duplicates.size();
        const qint64 listed = std::min(earlier, room);
        for (qint64 k = 0; k < listed; ++k)
            report.duplicates.append(QStringLiteral("- ") + raw);
        report.duplicatesLeftOut += earlier - listed;
        ++earlier;
    }
    return report;
}

QString reportText(const QString& heading, const QStringList& lines, qint64 leftOut) {
    QString text = heading + QStringLiteral("\r\n") + lines.join(QStringLiteral("\r\n"));
    if (leftOut > 0)
        text += QStringLiteral("\r\n… et %1 autres lignes.").arg(leftOut);
    return text;
}

} // namespace ramulo
