#pragma once

#include <QString>

namespace quiller {

// The station's own checks of what it is given to work with: who may read the patient
// data it keeps, and settings a hostile or mistaken settings file may hold.
namespace DataPrivacy {

// One letter or digit: the first character of the data files addressed to this
// station and of its lock file, so never a pattern character, a separator or a dot.
bool IsValidStationId(const QString& id);
// Why a station identifier read from the settings cannot be used.
QString StationIdProblem(const QString& id);

// A value quoted in a message or in the log: its first 80 characters, and "..." when
// it was longer.
QString Shortened(const QString& value, int keep = 80);

// Sets the process's file-creation mask from the image folder's sharing, so that what
// anything in the station creates starts no wider than the folder allows.
void ApplyCreationMask(const QString& dataPath);

// The image folder and the database file when accounts other than the owner and the
// folder's group can read them, with the commands that make them private; empty when
// neither is readable by others. `databaseFile` may be empty (a server).
QString ReadableByOthersMessage(const QString& dataPath, const QString& databaseFile);

} // namespace DataPrivacy

} // namespace quiller
