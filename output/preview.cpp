// When the preview runs, and when folders may be created.
//
// Every change of the names, of a formatting setting or of the destination
// invalidates: "Créer" goes off. Most of them then refresh live: the window's
// refresh procedure, Dir1_Change, runs, and it rebuilds the preview when
// automatic preview is on, or when the preview button asked for it. Typing
// in the editor invalidates without refreshing. Only a preview that finds
// nothing to warn about turns "Créer" back on.

#include "app/form1.h"

#include "editor/namelist.h"
#include "editor/transform.h"
#include "output/report.h"
#include "platform/aside.h"

#include <QEvent>

#include <utility>

using namespace ramulo;

// No folder can be created from a list that was not previewed since its last change.
void Form1::invalidate() {
    Command3->setEnabled(false);
}

void Form1::liveRefresh() {
    if (livepreview->value() == 1)
        Dir1_Change();
}

// The refresh procedure: every rebuild of the preview goes through here.
void Form1::Dir1_Change() {
    invalidate();
    SB1->setPanelText(2, Dir1->path());
    if (livepreview->value() == 1 || var5)
        RefreshPreview();
}

// The controls cannot change while a preview or a creation runs, so their
// settings are read once; the chain can then run away from the widgets. The
// lists' entries are the modes, in order.
NameChain Form1::nameChain() const {
    AddsSettings adds;
    adds.prefixOn = prefcheck->value() != 0;
    adds.prefix = preftext->text();
    adds.suffixOn = suffcheck->value() != 0;
    adds.suffix = sufftext->text();
    adds.forbiddenMode = static_cast<ForbiddenMode>(Combo3->currentIndex());
    adds.separatorMode = static_cast<SwapMode>(Combo2->currentIndex());
    return {adds, static_cast<CaseMode>(Combo1->currentIndex())};
}

// The lines are split once for each text: a key typed in the prefix box
// previews twice, and creation follows a preview.
QStringList Form1::editorLines() {
    if (m_linesRevision != Text1->revision()) {
        m_lines = splitLines(Text1->text());
        m_linesRevision = Text1->revision();
    }
    return m_lines;
}

// What a preview was run over, and what it found.
struct LastPreview {
    quint64 revision;
    NameChain chain;
    QString destination;
    NameRules rules;
    PreviewReport report;
    bool sameInputs(const LastPreview& other) const {
        return revision == other.revision && chain == other.chain &&
               destination == other.destination && rules == other.rules;
    }
};

// Whatever happened outside the window, the next refresh looks again.
void Form1::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange)
        m_lastPreview.reset();
    QWidget::changeEvent(event);
}

void Form1::RefreshPreview() {
    var5 = false;
    if (!destinationStillOpen())
        return;
    rtb1->setLines({});

    const QString destination = Dir1->path();
    auto preview = std::make_shared<LastPreview>(LastPreview{
        Text1->revision(), nameChain(), destination, m_services.files->nameRules(destination), {}});
    if (m_keyNotIn && m_lastPreview && m_lastPreview->sameInputs(*preview)) {
        // A key's first refresh runs over what the refresh before it ran over.
        preview->report = m_lastPreview->report;
    } else {
        const PreviewInputs inputs{
            preview->chain, destination,
            [files = m_services.files](const QString& folder, const QStringList& names) {
                return files->entriesIn(folder, names);
            },
            preview->rules};
        // Millions of names take seconds: the report is built aside, and a
        // new text is split there. The copies of each line depend on the text alone.
        // The worker holds its own copies: the window's may change while it runs.
        const bool newText = m_linesRevision != preview->revision;
        QString text = newText ? Text1->text() : QString();
        QStringList lines = newText ? QStringList() : m_lines;
        auto earlier = m_earlierRevision == preview->revision ? m_earlier : nullptr;
        runAside(this, QStringLiteral("Aperçu de la liste…"), [&] {
            if (newText)
                lines = splitLines(std::exchange(text, {}));
            if (!earlier)
                earlier = std::make_shared<const std::vector<qint32>>(earlierCopies(lines));
            preview->report = buildPreview(lines, *earlier, inputs);
        });
        m_lines = lines;
        m_linesRevision = m_earlierRevision = preview->revision;
        m_earlier = earlier;
    }
    m_lastPreview = preview;
    const PreviewReport& report = preview->report;

    rtb1->setLines(report.names);
    SB1->setPanelText(3, QStringLiteral("Total : ") + QString::number(report.count));

    // One box per kind of trouble, in this order.
    const struct {
        const ReportLines& lines;
        const char* title;
        const char* heading;
    } warnings[] = {
        {report.duplicates, "DOUBLONS EDITEURS DETECTES",
         "ATTENTION ! Les lignes suivantes sont en double dans l'Editeur, renommez-les ou "
         "supprimez-les :"},
        {report.existing, "DOUBLONS DOSSIERS DETECTES",
         "ATTENTION ! Les dossiers suivants existent déjà, renommez-les ou supprimez-les dans "
         "l'Editeur :"},
        {report.impossible, "DOSSIERS IMPOSSIBLES A CREER",
         "ATTENTION ! Les dossiers suivants ne pourront pas être créés, renommez-les ou "
         "supprimez-les dans l'Editeur :"},
    };
    bool warned = false;
    for (const auto& warning : warnings) {
        if (warning.lines.isEmpty())
            continue;
        warned = true;
        m_services.messages->show(reportText(QString::fromUtf8(warning.heading), warning.lines),
                                  QString::fromUtf8(warning.title), MessageBoxes::Buttons::Ok,
                                  MessageBoxes::Icon::Warning);
    }
    if (!warned)
        Command3->setEnabled(true);
    ++m_previewRuns;
}
