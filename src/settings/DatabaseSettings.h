#pragma once

#include <QList>
#include <QString>
#include <utility>

namespace quiller {

class SettingsStore;

// The [database] group of the settings: which engine keeps the station's records and,
// for a server, where it is. Never a password: libpq reads it from ~/.pgpass,
// $PGPASSFILE or a service file.
//
//   [database]
//   driver=postgresql      ; sqlite (the default: the file in the image folder) or postgresql
//   host=db.pharmacy.lan   ; a name, an address or a Unix socket folder
//   port=5432
//   name=quiller
//   user=station
//   sslmode=require
//   service=pharmacy       ; any other key is a libpq connection keyword, checked by libpq
struct DatabaseSettings {
    bool server = false; // driver=postgresql
    QString host;
    int port = 0;
    QString name;
    QString user;
    QString sslmode;
    // Every other key of the group with its value, for libpq to accept or refuse by name.
    QList<std::pair<QString, QString>> options;

    // Throws QuillerError (kErrorBadSetting) for an unknown driver or a port that is not
    // a number from 1 to 65535.
    static DatabaseSettings Read(const SettingsStore& settings);
    static QString Group() { return QStringLiteral("database"); }
};

} // namespace quiller
