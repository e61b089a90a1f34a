// Name lists read from files: the preset list's handlers, and a file
// dropped on the editor, which is loaded as a preset is.

#include "app/form1.h"

#include "platform/folders.h"
#include "platform/paths.h"
#include "sources/presets.h"

using namespace ramulo;

namespace {
constexpr qint64 kTextHead = 64 * 1024;
} // namespace

// The file is read whole before the editor is touched: a file that cannot be
// read, or is not text, leaves the user's names as they were. Returns why it
// could not be loaded. Only a plain file is opened (a named pipe would wait
// for a writer), and one that starts as no text does is not read on.
std::optional<QString> Form1::loadList(const QString& path) {
    invalidate();
    const FileSystem::Read read = m_services.files->readList(path, kTextHead, notText);
    if (read.refusal)
        return read.refusal;
    QString refusal;
    const std::optional<QString> text = presetText(read.bytes, &refusal);
    if (!text)
        return refusal;
    Text1->setText(QString());
    Text1->setText(*text);
    liveRefresh();
    return std::nullopt;
}

void Form1::File1_Click() {
    if (const auto reason = loadList(File1->filePath()))
        m_services.messages->show(QStringLiteral("Impossible de charger le preset « %1 » :\r\n%2")
                                      .arg(shownCut(File1->fileName()), *reason),
                                  QStringLiteral("Presets"), MessageBoxes::Buttons::Ok,
                                  MessageBoxes::Icon::Warning);
}

void Form1::Command7_Click() {
    File1->refresh();
}

// One file of this machine; anything else leaves the editor as it was.
void Form1::Text1_DropFiles(const QList<QUrl>& urls) {
    QString why;
    if (urls.size() > 1) {
        why = QStringLiteral("Un seul fichier à la fois peut être déposé dans l'éditeur : "
                             "%1 éléments ont été déposés.")
                  .arg(urls.size());
    } else if (urls.isEmpty() || !urls.first().isLocalFile()) {
        why = QStringLiteral("Seul un fichier de cet ordinateur peut être chargé dans l'éditeur ; "
                             "« %1 » n'en est pas un.")
                  .arg(shownCut(urls.value(0).toDisplayString()));
    } else {
        const QString path = displayPath(urls.first().toLocalFile());
        if (const auto reason = loadList(path))
            why = QStringLiteral("Impossible de charger le fichier « %1 » :\r\n%2")
                      .arg(shownCut(path), *reason);
    }
    if (!why.isEmpty())
        m_services.messages->show(why, QStringLiteral("Editeur"), MessageBoxes::Buttons::Ok,
                                  MessageBoxes::Icon::Warning);
}
