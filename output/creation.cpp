#include "output/creation.h"

#include "editor/line_paths.h"
#include "platform/paths.h"

#include <QSet>

namespace ramulo {

CreationResult createFolders(const QStringList& lines, const CreationInputs& inputs) {
    CreationResult result;
    LineReader reader(inputs.chain);
    QSet<QString> made; // in a tree, every path this run has made or entered
    const bool trees = inputs.chain.makesTrees();
    qint64 done = 0;
    for (const QString& raw : lines) {
        ++done;
        const LinePath line = reader.next(raw);
        if (line.path.isEmpty())
            continue;
        // The preview refuses faults; nothing may leave the destination all the same.
        const QStringList levels = line.path.split(pathSeparator());
        std::optional<QString> reason = line.fault;
        if (!reason && !made.contains(line.path)) // else an earlier line made it on its way
            reason = inputs.makeFolder(levels, result.created);
        if (reason) {
            result.failure = CreationFailure{raw, joinPath(inputs.destination, line.path), *reason};
            return result;
        }
        if (trees) {
            made.insert(line.path);
            for (const qsizetype end : upperLevelEnds(line.path))
                made.insert(line.path.first(end));
        }
        if (inputs.goOn && !inputs.goOn(done)) {
            result.cancelled = true;
            return result;
        }
    }
    return result;
}
QString creationMessage(qint64 created) {
    return QString::number(created) + QStringLiteral(" dossier(s) créé(s) avec succès !");
}

QString creationCancelledMessage(qint64 created) {
    return QStringLiteral("Création annulée : %1 dossier(s) créé(s) ; les lignes suivantes n'ont "
                          "pas été traitées.")
        .arg(created);
}

QString creationFailureMessage(const CreationFailure& failure, qint64 createdBefore) {
    return QStringLiteral("ATTENTION ! Le dossier de la ligne « %1 » n'a pas pu être créé :\r\n"
                          "%2\r\n"
                          "Raison : %3\r\n"
                          "%4 dossier(s) créé(s) avant cette ligne ; les lignes suivantes n'ont "
                          "pas été traitées.")
        .arg(shownCut(failure.rawLine), shownCut(failure.fullPath), failure.reason,
             QString::number(createdBefore));
}

} // namespace ramulo
