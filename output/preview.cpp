// The preview run: names, count, the two warnings, and the gate of the create
// command.

#include "app/form1.h"

#include "editor/namelist.h"
#include "output/report.h"

using namespace ramulo;

void Form1::RefreshPreview() {
    var5 = false;
    rtb1->setLines({});

    const PreviewReport report = buildPreview(
        splitLines(Text1->text()),
        {[this](const QString& raw) { return folderName(raw); }, [this] { return Dir1->path(); },
         [this](const QString& path) {
             return m_services.files->folderExists(path);
         }});

    rtb1->setLines(report.names);
    SB1->setPanelText(3, QStringLiteral("Total : ") + QString::number(report.count));

    bool warned = false;
    if (!report.duplicates.isEmpty()) {
        warned = true;
        m_services.messages->show(
            reportText(QStringLiteral("ATTENTION ! Les lignes suivantes sont en double dans "
                                      "l'Editeur, renommez-les ou supprimez-les :"),
                       report.duplicates, report.duplicatesLeftOut),
            QStringLiteral("DOUBLONS EDITEURS DETECTES"), MessageBoxes::Buttons::Ok,
            MessageBoxes::Icon::Warning);
    }
    if (!report.existing.isEmpty()) {
        warned = true;
        m_services.messages->show(
            reportText(QStringLiteral("ATTENTION ! Les dossiers suivants existent déjà, "
                                      "renommez-les ou supprimez-les dans l'Editeur :"),
                       report.existing),
            QStringLiteral("DOUBLONS DOSSIERS DETECTES"), MessageBoxes::Buttons::Ok,
            MessageBoxes::Icon::Warning);
    }
    if (!warned)
        Command3->setEnabled(true);
    ++m_previewRuns;
}
