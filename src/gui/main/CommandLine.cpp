#include "gui/main/CommandLine.h"

#include "QuillerVersion.h"

#include <QCommandLineParser>
#include <QDate>

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
                       "(postgresql://user@host:port/name) and exit. Safe to run again; the "
                       "file is not changed."),
        QStringLiteral("CONNECTION"));
    const QCommandLineOption audit(
        QStringLiteral("audit"),
        QStringLiteral("Print the audit trail (who accessed which prescription) as CSV and exit."));
    const QCommandLineOption from(QStringLiteral("from"),
                                  QStringLiteral("With --audit: from this day (YYYY-MM-DD)."),
                                  QStringLiteral("DATE"));
    const QCommandLineOption to(QStringLiteral("to"),
                                QStringLiteral("With --audit: to this day (YYYY-MM-DD)."),
                                QStringLiteral("DATE"));
    const QCommandLineOption rx(QStringLiteral("rx"),
                                QStringLiteral("With --audit: only prescription number N."),
                                QStringLiteral("N"));
    const QCommandLineOption purge(
        QStringLiteral("purge-older-than"),
        QStringLiteral("Remove audit rows older than DATE (YYYY-MM-DD) and exit; rows younger "
                       "than the kept years ([audit] KeepYears, 7) are never removed."),
        QStringLiteral("DATE"));
    const QCommandLineOption restore(
        QStringLiteral("restore-deleted"),
        QStringLiteral("Restore the deleted prescription RX-REFILL (e.g. 123-01) and its image "
                       "and exit."),
        QStringLiteral("RX-REFILL"));
    parser.addOptions({audit, from, to, rx, purge, restore});
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
    // Days are YYYY-MM-DD; anything else is a mistake, never an open range.
    QString badDate;
    auto day = [&](const QCommandLineOption& option) {
        if (!parser.isSet(option))
            return QDate();
        const QDate date = QDate::fromString(parser.value(option), Qt::ISODate);
        if (!date.isValid())
            badDate = parser.value(option);
        return date;
    };
    result.admin.audit = parser.isSet(audit);
    result.admin.from = day(from);
    result.admin.to = day(to);
    result.admin.rxNbr = parser.value(rx);
    result.admin.purgeOlderThan = day(purge);
    result.admin.restore = parser.value(restore);
    if (!badDate.isEmpty()) {
        result.exitNow = true;
        result.exitCode = 2;
        result.output = program + QStringLiteral(": '") + badDate.left(80) +
                        QStringLiteral("' is not a date (YYYY-MM-DD)\nTry 'quiller --help'.\n");
        return result;
    }
    result.configFile = parser.value(config);
    result.copyDatabaseTo = parser.value(copyTo);
    return result;
}

} // namespace quiller
