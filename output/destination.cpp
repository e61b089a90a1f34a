// The destination: drive and folder lists, and the window's single refresh
// procedure.

#include "app/form1.h"

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

// Every rebuild of the preview goes through here.
void Form1::Dir1_Change() {
    Command3->setEnabled(false);
    SB1->setPanelText(2, Dir1->path());
    if (livepreview->value() == 1 || var5)
        RefreshPreview();
}

// A folder that cannot be opened leaves the destination where it was.
void Form1::Dir1_OpenFailed(const QString& path, const QString& reason) {
    refuseDestination(
        QStringLiteral("Impossible d'ouvrir le dossier %1 :\r\n%2").arg(path, reason));
}

// Tells why, then the drive list goes back to the drive of the open folder,
// without a change event.
void Form1::refuseDestination(const QString& why) {
    m_services.messages->show(why, QStringLiteral("Répertoire de destination"),
                              MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Warning);
    const QSignalBlocker quiet(Drive1);
    Drive1->setDrive(m_services.drives->driveOf(Dir1->path()));
}
