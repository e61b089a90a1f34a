#include "app/command_line.h"
#include "app/form1.h"

#include "platform/folders.h"
#include "platform/real_services.h"

#include <QApplication>
#include <QLoggingCategory>

using namespace ramulo;

namespace {

// Off unless asked for: QT_LOGGING_RULES="ramulo.start.info=true" tells on standard error
// the folder the command line gave and the destination the window opened on, which shows
// what a file manager's action handed the program.
Q_LOGGING_CATEGORY(startLog, "ramulo.start", QtWarningMsg)

// Where Qt would abort for want of a display, the terminal hears why.
bool displayMissing(const QStringList& arguments) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        if (!qEnvironmentVariableIsEmpty(variable))
            return false;
    // Qt takes its platform as "-platform <name>" (or "--platform <name>") only.
    return !arguments.contains(QStringLiteral("-platform")) &&
           !arguments.contains(QStringLiteral("--platform"));
#else
    Q_UNUSED(arguments);
    return false;
#endif
}

} // namespace

int main(int argc, char* argv[]) {
    const QStringList arguments = programArguments(argc, argv);
    const CommandLine command = readCommandLine(arguments);
    switch (command.action) {
    case CommandLine::Action::Print:
        writeOut(command.text);
        return 0;
    case CommandLine::Action::Fail:
        writeOut(command.text, true);
        return kWrongCommandLine;
    case CommandLine::Action::Start:
        break;
    }
    if (displayMissing(arguments)) {
        writeOut(QStringLiteral("ramulo : aucun affichage (ni DISPLAY ni WAYLAND_DISPLAY) : "
                                "la fenêtre ne peut pas s'ouvrir.\n"),
                 true);
        return kNoDisplay;
    }

    returnLargeBlocks();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral(RAMULO_TITLE));
    QApplication::setDesktopFileName(QStringLiteral(RAMULO_APP_ID));
    if (!command.folder.isEmpty())
        qCInfo(startLog).noquote() << "dossier donné :" << command.folder;
    Form1 window({}, command.folder.isEmpty() ? QString() : displayPath(command.folder));
    qCInfo(startLog).noquote() << "destination :" << window.Dir1->path();
    window.show();
    return QApplication::exec();
}
