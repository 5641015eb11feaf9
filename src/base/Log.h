#pragma once

#include <QLoggingCategory>
#include <QString>

namespace quiller {

// One logging category per subsystem, info and above by default; QT_LOGGING_RULES and
// qtlogging.ini switch them as for any Qt program ("quiller.intake.debug=true").
Q_DECLARE_LOGGING_CATEGORY(lcIntake)   // data files taken or set aside, batches
Q_DECLARE_LOGGING_CATEGORY(lcScanner)  // devices found, acquisition
Q_DECLARE_LOGGING_CATEGORY(lcStorage)  // pages stored, database care
Q_DECLARE_LOGGING_CATEGORY(lcView)     // search, printing, deletion
Q_DECLARE_LOGGING_CATEGORY(lcSettings) // settings and configuration
Q_DECLARE_LOGGING_CATEGORY(lcOperator) // every message shown to the operator

// The station's log file for administrators: $XDG_STATE_HOME/Quiller/quiller.log
// (~/.local/state/Quiller/quiller.log). When it passes maxBytes it becomes quiller.log.1,
// the older ones move up to quiller.log.<keep>, and the oldest is dropped.
class LogFile {
public:
    static QString DefaultPath();
    // Installs a Qt message handler that appends every message to the file as one line
    // (time, level, station, category, text; see FormatRecord) and still passes it to the
    // previous handler (the terminal). The file is created readable by its owner only.
    static void Install(const QString& path = DefaultPath(), qint64 maxBytes = 1024 * 1024,
                        int keep = 5);
    // Removes the handler again.
    static void Uninstall();
    // Where messages go now; empty when no file is installed.
    static QString CurrentPath();
    // The station's identifier named on every line from now on (several stations may
    // share one log); "-" until it is known.
    static void SetStation(const QString& stationId);
    // One record: "<time> <level> station <id> <category>: <text>". Line breaks and every
    // other control character in the station, category or text are written as escapes
    // (\n, \r, \t, \xHH, \u{HHHH}), so that a record is always exactly one line and a
    // value (a data file's name) can never pass for a record of its own.
    static QString FormatRecord(const QString& time, QtMsgType type, const char* category,
                                const QString& station, const QString& message);
    // The escapes of FormatRecord applied to one value.
    static QString EscapeValue(const QString& value);
};

} // namespace quiller
