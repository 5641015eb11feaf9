#include "gui/main/CommandLine.h"

#include "QuillerVersion.h"

#include <QCommandLineParser>

namespace quiller {

CommandLine ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Quiller: prescription image scanning station for a pharmacy.\n"
        "Log: $XDG_STATE_HOME/Quiller/quiller.log (~/.local/state/Quiller/quiller.log).\n"
        "Settings: ~/.config/Quiller/Quiller.conf; station-wide defaults in "
        "/etc/xdg/Quiller/Quiller.conf."));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    const QCommandLineOption config(
        QStringLiteral("config"),
        QStringLiteral("Use FILE as the settings file instead of the user's Quiller.conf."),
        QStringLiteral("FILE"));
    const QCommandLineOption copyTo(
        QStringLiteral("copy-database-to"),
        QStringLiteral("Copy this station's records (the database file in its image folder) "
                       "into the PostgreSQL database CONNECTION "
                       "(postgresql://user@host:port/name, or keyword=value pairs such as "
                       "service=pharmacy) and exit. Safe to run again; the file is not changed."),
        QStringLiteral("CONNECTION"));
    parser.addOption(help);
    parser.addOption(copyTo);
    parser.addOption(version);
    parser.addOption(config);

    CommandLine result;
    const QString program = QStringLiteral("quiller");
    if (!parser.parse(arguments)) {
        result.exitNow = true;
        result.exitCode = 2;
        result.output = program + QStringLiteral(": ") + parser.errorText() +
                        QStringLiteral("\nTry 'quiller --help'.\n");
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        result.exitNow = true;
        result.exitCode = 2;
        result.output = program + QStringLiteral(": unexpected argument '") +
                        parser.positionalArguments().constFirst() +
                        QStringLiteral("'\nTry 'quiller --help'.\n");
        return result;
    }
    if (parser.isSet(help)) {
        result.exitNow = true;
        result.output = parser.helpText();
        // Qt names the program after argv[0]; show the installed name.
        const qsizetype end = result.output.indexOf(QLatin1Char('\n'));
        result.output.replace(0, end, QStringLiteral("Usage: quiller [options]"));
        return result;
    }
    if (parser.isSet(version)) {
        result.exitNow = true;
        result.output = QStringLiteral("quiller " QUILLER_VERSION_STRING "\n");
        return result;
    }
    result.configFile = parser.value(config);
    result.copyDatabaseTo = parser.value(copyTo);
    result.copyDatabase = parser.isSet(copyTo);
    return result;
}

} // namespace quiller
