#include "app/command_line.h"

#include "platform/real_services.h"

#include <QCommandLineParser>

namespace ramulo {
namespace {

const char* const kHelp = "Utilisation : ramulo [OPTION] [DOSSIER]\n"
                          "Crée de nombreux dossiers en une fois.\n"
                          "\n"
                          "Arguments :\n"
                          "  DOSSIER        le répertoire de destination au démarrage\n"
                          "                 (par défaut, le dossier courant)\n"
                          "\n"
                          "Options :\n"
                          "  -h, --help     affiche cette aide et quitte\n"
                          "  -v, --version  affiche la version et quitte\n"
                          "\n";
const char* const kReturnCodes =
    "Code de retour : 0 ; 1 sans affichage ; 2 pour une ligne de commande incorrecte.\n";

CommandLine failure(const QString& why) {
    return {CommandLine::Action::Fail,
            {},
            QStringLiteral("ramulo : %1\nPour en savoir plus : ramulo --help\n").arg(why)};
}

// The argument as it was written, for an option the parser names without dashes.
QString writtenAs(const QStringList& arguments, const QString& name) {
    for (const QString& argument : arguments.mid(1)) {
        const QString written = argument.section(u'=', 0, 0);
        QStringView bare(written);
        while (bare.startsWith(u'-'))
            bare = bare.mid(1);
        if (bare == name && written.startsWith(u'-'))
            return written;
    }
    return QStringLiteral("-") + name;
}

} // namespace

CommandLine readCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    // Qt's own options are single words after one dash, as -platform.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOptions({help, version});
    for (const char* name : {"display", "geometry", "platform", "platformtheme", "plugin",
                             "qwindowgeometry", "qwindowtitle", "session", "style", "stylesheet"})
        parser.addOption(
            QCommandLineOption(QString::fromLatin1(name), {}, QStringLiteral("valeur")));
    parser.addOption(QCommandLineOption(QStringLiteral("reverse")));

    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty())
            return failure(QStringLiteral("option inconnue « %1 ».")
                               .arg(writtenAs(arguments, unknown.first())));
        return failure(QStringLiteral("une valeur manque après une option de Qt."));
    }
    if (parser.isSet(help))
        return {CommandLine::Action::Print,
                {},
                QString::fromUtf8(kHelp) + userPresetsHelp() + QString::fromUtf8(kReturnCodes)};
    if (parser.isSet(version))
        return {CommandLine::Action::Print,
                {},
                QStringLiteral(RAMULO_TITLE " %1.%2.%3\n")
                    .arg(RAMULO_VERSION_MAJOR)
                    .arg(RAMULO_VERSION_MINOR)
                    .arg(RAMULO_VERSION_PATCH)};
    const QStringList folders = parser.positionalArguments();
    if (folders.size() > 1)
        return failure(
            QStringLiteral("un seul dossier peut être donné, et non %1.").arg(folders.size()));
    if (!folders.isEmpty() && folders.first().isEmpty())
        return failure(QStringLiteral("le nom du dossier est vide."));
    return {CommandLine::Action::Start, folders.value(0), {}};
}

} // namespace ramulo
