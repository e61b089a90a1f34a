// The preview run: names, count, the warnings, and the gate of the create
// command.

#include "app/form1.h"

#include "editor/namelist.h"
#include "output/report.h"

using namespace ramulo;

void Form1::RefreshPreview() {
    var5 = false;
    if (!destinationStillOpen())
        return;
    rtb1->setLines({});

    const PreviewReport report = buildPreview(
        splitLines(Text1->text()),
        {[this](const QString& raw) { return folderName(raw); }, [this] { return Dir1->path(); },
         [this](const QString& path) { return m_services.files->entryAt(path); },
         m_services.files->nameRules(Dir1->path())});

    rtb1->setLines(report.names);
    SB1->setPanelText(3, QStringLiteral("Total : ") + QString::number(report.count));

    // One box per kind of trouble, in this order.
    const struct {
        const QStringList& lines;
        qint64 leftOut;
        const char* title;
        const char* heading;
    } warnings[] = {
        {report.duplicates, report.duplicatesLeftOut, "DOUBLONS EDITEURS DETECTES",
         "ATTENTION ! Les lignes suivantes sont en double dans l'Editeur, renommez-les ou "
         "supprimez-les :"},
        {report.existing, 0, "DOUBLONS DOSSIERS DETECTES",
         "ATTENTION ! Les dossiers suivants existent déjà, renommez-les ou supprimez-les dans "
         "l'Editeur :"},
        {report.impossible, 0, "DOSSIERS IMPOSSIBLES A CREER",
         "ATTENTION ! Les dossiers suivants ne pourront pas être créés, renommez-les ou "
         "supprimez-les dans l'Editeur :"},
    };
    bool warned = false;
    for (const auto& warning : warnings) {
        if (warning.lines.isEmpty())
            continue;
        warned = true;
        m_services.messages->show(
            reportText(QString::fromUtf8(warning.heading), warning.lines, warning.leftOut),
            QString::fromUtf8(warning.title), MessageBoxes::Buttons::Ok,
            MessageBoxes::Icon::Warning);
    }
    if (!warned)
        Command3->setEnabled(true);
    ++m_previewRuns;
}
