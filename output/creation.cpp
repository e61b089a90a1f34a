#include "output/creation.h"

#include "platform/paths.h"

namespace ramulo {

CreationResult createFolders(const QStringList& lines, const CreationInputs& inputs) {
    CreationResult result;
    for (const QString& raw : lines) {
        const QString name = inputs.folderName(raw);
        if (name.isEmpty())
            continue;
        if (auto reason = inputs.makeFolder(name)) {
            result.failure = CreationFailure{raw, joinPath(inputs.destination, name), *reason};
            return result;
        }
        ++result.created;
        if (inputs.goOn && !inputs.goOn(result.created)) {
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
