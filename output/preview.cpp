// The preview run: names, count, the warnings, and the gate of the create
// command.

#include "app/form1.h"

#include "output/report.h"
#include "platform/aside.h"

using namespace ramulo;

void Form1::RefreshPreview() {
    var5 = false;
    if (!destinationStillOpen())
        return;
    rtb1->setLines({});

    // Millions of names take seconds: the report is built aside.
    const QStringList lines = editorLines();
    const QString destination = Dir1->path();
    const PreviewInputs inputs{
        nameChain(), destination,
        [files = m_services.files](const QString& folder, const QStringList& names) {
            return files->entriesIn(folder, names);
        },
        m_services.files->nameRules(destination)};
    PreviewReport report;
    runAside(this, QStringLiteral("Aperçu de la liste…"),
             [&] { report = buildPreview(lines, inputs); });

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
