// The create command.

#include "app/form1.h"

#include "editor/transform.h"
#include "output/creation.h"
#include "platform/aside.h"

using namespace ramulo;

void Form1::Command3_Click() {
    if (!destinationStillOpen())
        return;
    // Made aside: a long list shows its progress and can be stopped. The
    // settings and the destination are read once; nothing can change them meanwhile.
    const QStringList lines = editorLines();
    const QString destination = Dir1->path();
    AsideProgress progress;
    progress.total = lines.size();
    CreationResult result;
    runAside(
        this, QStringLiteral("Création des dossiers…"),
        [&, chain = nameChain()] {
            const auto maker = m_services.files->folderMaker(destination);
            result = createFolders(lines, {chain, destination,
                                           [&](const QStringList& levels, qint64& made) {
                                               return maker->make(levels, made);
                                           },
                                           [&](qint64 linesDone) {
                                               progress.done = linesDone;
                                               return !progress.cancelled;
                                           }});
        },
        &progress);

    if (result.cancelled) {
        m_services.messages->show(creationCancelledMessage(result.created),
                                  QStringLiteral("CREATION DE DOSSIERS ANNULEE"),
                                  MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Information);
    } else if (result.failure) {
        m_services.messages->show(creationFailureMessage(*result.failure, result.created),
                                  QStringLiteral("CREATION DE DOSSIERS INTERROMPUE"),
                                  MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Warning);
    } else {
        m_services.messages->show(creationMessage(result.created),
                                  QStringLiteral("CREATION DE DOSSIERS EFFECTUEE"),
                                  MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Information);
    }
    // The new folders show up; the open folder, and so the destination, stay.
    m_lastPreview.reset();
    Dir1->refresh();
}
