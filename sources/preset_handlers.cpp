// The preset list's handlers: loading the selected file, reading the folder again.

#include "app/form1.h"

#include "platform/paths.h"
#include "sources/presets.h"

#include <QFile>

using namespace ramulo;

// The file is read whole before the editor is touched: a file that cannot be
// read leaves the user's names as they were.
void Form1::File1_Click() {
    invalidate();
    const QString name = File1->fileName();
    QFile file(joinPath(File1->folder(), name));
    std::optional<QString> text;
    QString reason;
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            reason = file.errorString();
        else
            text = presetText(bytes, &reason);
    } else {
        reason = file.errorString();
    }
    if (!text) {
        m_services.messages->show(QStringLiteral("Impossible de charger le preset « %1 » :\r\n%2")
                                      .arg(shownCut(name), reason),
                                  QStringLiteral("Presets"), MessageBoxes::Buttons::Ok,
                                  MessageBoxes::Icon::Warning);
        return;
    }
    Text1->setText(QString());
    Text1->setText(*text);
    liveRefresh();
}

void Form1::Command7_Click() {
    File1->refresh();
}
