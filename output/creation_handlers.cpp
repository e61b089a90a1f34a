// The create command.

#include "app/form1.h"

#include "editor/namelist.h"
#include "output/creation.h"

using namespace ramulo;

void Form1::Command3_Click() {
    if (!destinationStillOpen())
        return;
    const CreationResult result =
        createFolders(splitLines(Text1->text()), {nameChain(), [this] { return Dir1->path(); },
                                                  [this](const QString& path) {
                                                      return m_services.files->createFolder(path);
                                                  }});

    if (result.failure) {
        m_services.messages->show(creationFailureMessage(*result.failure, result.created),
                                  QStringLiteral("CREATION DE DOSSIERS INTERROMPUE"),
                                  MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Warning);
    } else {
        m_services.messages->show(creationMessage(result.created),
                                  QStringLiteral("CREATION DE DOSSIERS EFFECTUEE"),
                                  MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Information);
    }
    // The new folders show up; the open folder, and so the destination, stay.
    Dir1->refresh();
}
