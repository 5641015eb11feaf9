#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace quiller {

// What the command line asks for.
struct CommandLine {
    QString configFile;        // --config FILE: another settings file
    QString copyDatabaseTo;    // --copy-database-to CONNECTION: copy the records and end
    bool copyDatabase = false; // the option was given (even with an empty CONNECTION)
    bool exitNow = false;      // --help, --version or a mistake: print and end
    int exitCode = 0;
    QString output; // what to print before ending
};

// Reads the arguments (the first is the program). Needs no application object, so
// --help and --version work without a display.
CommandLine ParseCommandLine(const QStringList& arguments);

} // namespace quiller
