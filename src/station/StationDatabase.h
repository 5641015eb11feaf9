#pragma once

#include "records/DatabaseServer.h"

#include <QDate>
#include <QString>

namespace quiller {

struct DatabaseSettings;
struct StationContext;
class SettingsStore;

// Where the station's records are kept, from the settings' [database] group.
ServerAddress ServerAddressOf(const DatabaseSettings& settings);

// Opens the station's database as the settings say: the SQLite file in the image folder
// (made from the template, or with its schema, when the folder has none) or the
// PostgreSQL database. Throws QuillerError when it cannot be opened
// (kErrorServerUnavailable for a server that cannot be reached).
void OpenStationDatabase(StationContext& app, const SettingsStore& settings,
                         const QString& templateFolder);

// Which database the station uses, for the configuration dialog: the open connection's,
// else the one the settings name (a setting in error says so).
QString DescribeStationDatabase(const StationContext& app, const SettingsStore& settings);

// Copies the records of this station's SQLite file (the image folder of the settings)
// into the PostgreSQL database at `connection` (a libpq URI or keyword=value pairs) and
// says what it did; throws QuillerError when the copy cannot be made (nothing is then
// written): kErrorBadSetting, before anything is opened, for an empty or malformed
// connection. The file is opened read-only whatever its schema, never changed.
QString CopyStationDatabase(const SettingsStore& settings, const QString& connection);

// Makes the day's backup of a SQLite database when due. A failure is logged, and told to
// the operator once a day: the text to show, else empty.
QString BackUpDaily(const StationContext& app, const QDate& day);

// The question asked at start-up when the database server cannot be reached.
QString UnreachableServerQuestion(const QString& why);

} // namespace quiller
