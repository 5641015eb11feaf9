#pragma once

#include <QString>

namespace quiller {

class StationContext;
class StationSettings;

// What the operator chose in the configuration: the folders, the station's identity
// and the scanner (its place in the list and its device name).
struct StationConfiguration {
    QString imageFolder;
    QString interchangeFolder;
    QString stationId;
    int scannerPosition = -1;
    QString scannerDevice;
};

// Makes a changed configuration the station's. Records and images must never go to
// different folders, so a new image folder brings its own database (a station on a server
// keeps its connection): that database is made and tried first, then the connection
// moves to it, and only then are the settings written and the state changed. Throws
// QuillerError when any step fails; the station is then left on its old folder,
// database and settings.
void ApplyConfiguration(StationContext& app, StationSettings& settings,
                        const StationConfiguration& chosen);

} // namespace quiller
