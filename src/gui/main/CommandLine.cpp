#include "gui/main/CommandLine.h"

#include "QuillerVersion.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>

namespace quiller {

namespace {

// The options QGuiApplication and QApplication take out of the command line themselves.
const QStringList& QtOptionsWithValue() {
    static const QStringList names{QStringLiteral("platform"),
                                   QStringLiteral("platformpluginpath"),
                                   QStringLiteral("platformtheme"),
                                   QStringLiteral("plugin"),
                                   QStringLiteral("qwindowgeometry"),
                                   QStringLiteral("qwindowicon"),
                                   QStringLiteral("qwindowtitle"),
                                   QStringLiteral("session"),
                                   QStringLiteral("display"),
                                   QStringLiteral("geometry"),
                                   QStringLiteral("title"),
                                   QStringLiteral("icon"),
                                   QStringLiteral("name"),
                                   QStringLiteral("style"),
                                   QStringLiteral("stylesheet"),
                                   QStringLiteral("qmljsdebugger")};
    return names;
}

const QStringList& QtFlags() {
    static const QStringList names{QStringLiteral("reverse"), QStringLiteral("widgetcount"),
                                   QStringLiteral("nograb"),  QStringLiteral("dograb"),
                                   QStringLiteral("sync"),    QStringLiteral("testability")};
    return names;
}

// The station's own options that take a value.
const QStringList& OwnOptionsWithValue() {
    static const QStringList names{QStringLiteral("--config"),
                                   QStringLiteral("--copy-database-to")};
    return names;
}

} // namespace

QStringList WithoutQtOptions(const QStringList& arguments) {
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (i == 0 || !argument.startsWith(QLatin1Char('-')) || argument == QStringLiteral("--")) {
            kept << argument;
            continue;
        }
        if (OwnOptionsWithValue().contains(argument)) {
            kept << argument;
            if (i + 1 < arguments.size())
                kept << arguments.at(++i);
            continue;
        }
        QString name = argument.mid(argument.startsWith(QStringLiteral("--")) ? 2 : 1);
        const qsizetype equals = name.indexOf(QLatin1Char('='));
        const bool inlineValue = equals >= 0;
        if (inlineValue)
            name.truncate(equals);
        if (QtOptionsWithValue().contains(name)) {
            if (!inlineValue)
                ++i; // its value
            continue;
        }
        if (!inlineValue && QtFlags().contains(name))
            continue;
        kept << argument;
    }
    return kept;
}

namespace {
QString TryHelp() {
    return QCoreApplication::translate("CommandLine", "Try 'quiller --help'.") + QLatin1Char('\n');
}
} // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "CommandLine",
        "Quiller: prescription image scanning station for a pharmacy.\n"
        "Log: $XDG_STATE_HOME/Quiller/quiller.log (~/.local/state/Quiller/quiller.log).\n"
        "Settings: ~/.config/Quiller/Quiller.conf; station-wide defaults in "
        "/etc/xdg/Quiller/Quiller.conf.\n"
        "Qt's standard options (-platform, -style, -reverse, -qwindowgeometry, ...) are "
        "accepted as well."));
    const QCommandLineOption help(
        QStringList{QStringLiteral("h"), QStringLiteral("help")},
        QCoreApplication::translate("CommandLine", "Show this help and exit."));
    const QCommandLineOption version(
        QStringList{QStringLiteral("v"), QStringLiteral("version")},
        QCoreApplication::translate("CommandLine", "Show the version and exit."));
    const QCommandLineOption config(
        QStringLiteral("config"),
        QCoreApplication::translate(
            "CommandLine", "Use FILE as the settings file instead of the user's Quiller.conf."),
        QStringLiteral("FILE"));
    const QCommandLineOption copyTo(
        QStringLiteral("copy-database-to"),
        QCoreApplication::translate(
            "CommandLine",
            "Copy this station's records (the database file in its image folder) "
            "into the PostgreSQL database CONNECTION "
            "(postgresql://user@host:port/name, or keyword=value pairs such as "
            "service=pharmacy) and exit. Safe to run again; the file is not changed."),
        QStringLiteral("CONNECTION"));
    const QCommandLineOption audit(
        QStringLiteral("audit"),
        QCoreApplication::translate(
            "CommandLine",
            "Print the audit trail (who accessed which prescription) as CSV and exit."));
    const QCommandLineOption from(
        QStringLiteral("from"),
        QCoreApplication::translate("CommandLine", "With --audit: from this day (YYYY-MM-DD)."),
        QStringLiteral("DATE"));
    const QCommandLineOption to(
        QStringLiteral("to"),
        QCoreApplication::translate("CommandLine", "With --audit: to this day (YYYY-MM-DD)."),
        QStringLiteral("DATE"));
    const QCommandLineOption rx(
        QStringLiteral("rx"),
        QCoreApplication::translate("CommandLine", "With --audit: only prescription number N."),
        QStringLiteral("N"));
    const QCommandLineOption purge(
        QStringLiteral("purge-older-than"),
        QCoreApplication::translate(
            "CommandLine", "Remove audit rows older than DATE (YYYY-MM-DD) and exit; rows younger "
                           "than the kept years ([audit] KeepYears, 7) are never removed."),
        QStringLiteral("DATE"));
    const QCommandLineOption restore(
        QStringLiteral("restore-deleted"),
        QCoreApplication::translate(
            "CommandLine", "Restore the deleted prescription RX-REFILL (e.g. 123-01) and its image "
                           "and exit."),
        QStringLiteral("RX-REFILL"));
    parser.addOptions({audit, from, to, rx, purge, restore});
    parser.addOption(help);
    parser.addOption(copyTo);
    parser.addOption(version);
    parser.addOption(config);

    CommandLine result;
    const QString program = QStringLiteral("quiller");
    if (!parser.parse(WithoutQtOptions(arguments))) {
        result.exitNow = true;
        result.exitCode = 2;
        result.output =
            program + QStringLiteral(": ") + parser.errorText() + QLatin1Char('\n') + TryHelp();
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        result.exitNow = true;
        result.exitCode = 2;
        result.output = program + QStringLiteral(": ") +
                        QCoreApplication::translate("CommandLine", "unexpected argument '%1'")
                            .arg(parser.positionalArguments().constFirst()) +
                        QLatin1Char('\n') + TryHelp();
        return result;
    }
    if (parser.isSet(help)) {
        result.exitNow = true;
        result.output = parser.helpText();
        // Qt names the program after argv[0]; show the installed name.
        const qsizetype end = result.output.indexOf(QLatin1Char('\n'));
        result.output.replace(
            0, end, QCoreApplication::translate("CommandLine", "Usage: quiller [options]"));
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
        result.output =
            program + QStringLiteral(": ") +
            QCoreApplication::translate("CommandLine", "'%1' is not a date (YYYY-MM-DD)")
                .arg(badDate.left(80)) +
            QLatin1Char('\n') + TryHelp();
        return result;
    }
    result.configFile = parser.value(config);
    result.copyDatabaseTo = parser.value(copyTo);
    result.copyDatabase = parser.isSet(copyTo);
    return result;
}

} // namespace quiller
