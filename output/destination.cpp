// The destination: the drive and folder lists, and what becomes of a
// destination that cannot be opened or has gone. Its change runs the
// window's refresh procedure (preview.cpp).

#include "app/form1.h"

#include "platform/folders.h"
#include "platform/paths.h"

using namespace ramulo;

void Form1::Drive1_Change() {
    const QString drive = Drive1->drive();
    if (const auto reason = m_services.drives->notReady(drive)) {
        refuseDestination(
            QStringLiteral("Le disque %1 n'est pas prêt :\r\n%2").arg(drive, *reason));
        return;
    }
    Dir1->setPath(m_services.drives->currentFolder(drive));
}

// A folder that cannot be opened leaves the destination where it was.
void Form1::Dir1_OpenFailed(const QString& path, const QString& reason) {
    refuseDestination(
        QStringLiteral("Impossible d'ouvrir le dossier %1 :\r\n%2").arg(shownCut(path), reason));
}

// Tells why, then the drive list goes back to the drive of the open folder,
// without a change event.
void Form1::refuseDestination(const QString& why) {
    m_services.messages->show(why, QStringLiteral("Répertoire de destination"),
                              MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Warning);
    const QSignalBlocker quiet(Drive1);
    Drive1->setDrive(m_services.drives->driveOf(Dir1->path()));
}

// Where the destination may start, in order of preference.
QStringList Form1::startFolders() const {
    QStringList folders{m_services.drives->workingFolder(), m_services.drives->homeFolder()};
    for (const QString& drive : m_services.drives->list())
        folders << m_services.drives->currentFolder(drive);
    return folders;
}

// The destination may have gone since it was opened: deleted, or replaced by a
// file. Then the nearest folder above it that is still there is opened, with
// no preview, so that nothing is made before the user has seen the new place.
bool Form1::destinationStillOpen() {
    const QString gone = Dir1->path();
    const auto reason = m_services.files->unreadable(gone);
    if (!reason)
        return true;
    invalidate();
    if (const auto above =
            firstReadableFolder(*m_services.files, foldersAbove(gone) + startFolders())) {
        const QSignalBlocker quiet(Dir1);
        Dir1->setPath(*above);
    }
    SB1->setPanelText(2, Dir1->path());
    refuseDestination(QStringLiteral("Le dossier de destination %1 n'est plus accessible :\r\n%2"
                                     "\r\nNouvelle destination : %3")
                          .arg(shownCut(gone), *reason, shownCut(Dir1->path())));
    return false;
}
