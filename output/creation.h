#pragma once
// Creating one folder per non-empty name, or in a tree each missing level of
// every path, in editor order, stopping at the first line that fails.

#include "editor/transform.h"

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
    qint64 created = 0;                     // folders made, up to the end or the failure
    std::optional<CreationFailure> failure; // the name the run stopped at
    bool cancelled = false;                 // the user stopped the run
};

struct CreationInputs {
    NameChain chain;     // raw line -> folder name, or path in a tree
    QString destination; // the folder to make them in
    // Makes the folder at a relative path, level by level: see FileSystem::FolderMaker.
    std::function<std::optional<QString>(const QStringList& levels, qint64& made)> makeFolder;
    std::function<bool(qint64 linesDone)> goOn = {}; // after each line; false stops the run
};

CreationResult createFolders(const QStringList& lines, const CreationInputs& inputs);

// "<n> dossier(s) créé(s) avec succès !"
QString creationMessage(qint64 created);

// What the user is told when they stopped the run.
QString creationCancelledMessage(qint64 created);

// What the user is told when a run stops at a name.
QString creationFailureMessage(const CreationFailure& failure, qint64 createdBefore);

} // namespace ramulo
