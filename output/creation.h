#pragma once
// Creating one folder per non-empty name, in editor order, stopping at the
// first name that cannot be created.

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace ramulo {

struct CreationFailure {
    QString rawLine;
    QString fullPath;
    QString reason;
};

struct CreationResult {
    qint64 created = 0;                     // folders made before the end or the failure
    std::optional<CreationFailure> failure; // the name the run stopped at
    bool cancelled = false;                 // the user stopped the run
};

struct CreationInputs {
    std::function<QString(const QString&)> folderName;                // raw line -> name
    QString destination;                                              // the folder to make them in
    std::function<std::optional<QString>(const QString&)> makeFolder; // name there -> reason
    std::function<bool(qint64 created)> goOn = {}; // after each folder; false stops the run
};

CreationResult createFolders(const QStringList& lines, const CreationInputs& inputs);

// "<n> dossier(s) créé(s) avec succès !"
QString creationMessage(qint64 created);

// What the user is told when they stopped the run.
QString creationCancelledMessage(qint64 created);

// What the user is told when a run stops at a name.
QString creationFailureMessage(const CreationFailure& failure, qint64 createdBefore);

} // namespace ramulo
