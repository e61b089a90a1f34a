#pragma once
// The command line, read before any window is made, so that --help and
// --version answer in a terminal without a display:
//     ramulo [OPTION] [DOSSIER]

#include <QString>
#include <QStringList>

namespace ramulo {

struct CommandLine {
    enum class Action { Start, Print, Fail };
    Action action = Action::Start;
    // Start: the destination asked for, as written; empty when none was given.
    QString folder;
    // Print: the text for standard output. Fail: the message for standard
    // error, exit code 2.
    QString text;
};

// `arguments` as the process got them, the program's own name first. Qt's
// own options (-style, -platform, -session ...) are let through for the
// application object to take.
CommandLine readCommandLine(const QStringList& arguments);

// Exit codes: 1 when the window cannot be shown, 2 for a wrong command line.
inline constexpr int kNoDisplay = 1;
inline constexpr int kWrongCommandLine = 2;

} // namespace ramulo
