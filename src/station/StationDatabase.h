#pragma once

#include "records/DatabaseServer.h"

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
// into the PostgreSQL database at `connection` (postgresql://user@host:port/name) and
// says what it did; throws QuillerError when the copy cannot be made (nothing is then
// written). The file is never changed.
QString CopyStationDatabase(const SettingsStore& settings, const QString& connection);

// The question asked at start-up when the database server cannot be reached.
QString UnreachableServerQuestion(const QString& why);

} // namespace quiller
