#pragma once

#include "station/PatientRecords.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace quiller {

// What the command line asks for.
struct CommandLine {
    QString configFile;                 // --config FILE: another settings file
    QString copyDatabaseTo;             // --copy-database-to CONNECTION: copy the records and end
    bool copyDatabase = false;          // the option was given (even with an empty CONNECTION)
    PatientRecords::AdminCommand admin; // --audit, --purge-older-than, --restore-deleted
    bool exitNow = false;               // --help, --version or a mistake: print and end
    int exitCode = 0;
    QString output; // what to print before ending
};

// Reads the arguments (the first is the program). Needs no application object, so
// --help, --version and --copy-database-to work without a display. Qt's own options
// (-platform offscreen, -style fusion, -reverse, -qwindowgeometry 800x600+0+0, ...) are
// left to the application object and not read here.
CommandLine ParseCommandLine(const QStringList& arguments);

// The arguments without Qt's own options and their values, in single- or double-dash
// form, with a separate value or "=value". The value of one of the station's own options
// is never taken for one of Qt's ("--config -style").
QStringList WithoutQtOptions(const QStringList& arguments);

} // namespace quiller
