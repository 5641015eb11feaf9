#pragma once

#include <QLoggingCategory>
#include <QString>

namespace quiller {

// One logging category per subsystem; QT_LOGGING_RULES and qtlogging.ini switch them
// as for any Qt program ("quiller.intake.debug=false").
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
    // Installs a Qt message handler that appends every message (time, level, category,
    // text) to the file and still passes it to the previous handler (the terminal).
    static void Install(const QString& path = DefaultPath(), qint64 maxBytes = 1024 * 1024,
                        int keep = 5);
    // Removes the handler again.
    static void Uninstall();
    // Where messages go now; empty when no file is installed.
    static QString CurrentPath();
};

} // namespace quiller
