#pragma once

#include "records/DatabaseServer.h"

#include <QByteArrayView>
#include <QString>
#include <functional>

namespace quiller {

class Database;

// A server address from a connection text (libpq's URI or keyword=value pairs); see
// ParseConnectionString.
inline ServerAddress ParseServerUri(const QString& uri) {
    return ParseConnectionString(uri);
}

// What a copy found and did.
struct CopyCounts {
    qint64 sourceRows = 0;   // rows of the SQLite file
    qint64 sourceKeys = 0;   // distinct (RxNbr, RefNo) among them
    qint64 inserted = 0;     // rows the server did not have
    qint64 updated = 0;      // rows the server had without an image, now as in the file
    qint64 unchanged = 0;    // rows the server had exactly as in the file
    qint64 kept = 0;         // rows the server had with an image: left as they are
    qint64 targetBefore = 0; // rows on the server before and after
    qint64 targetAfter = 0;
};

// Copies the prescriptions of a station's SQLite file into the open server database, in
// one transaction that no other station writes during. The file is opened read-only and
// never changed, whatever its schema version. Running it again adds nothing. A
// prescription the server already has with an image stays as it is (a station has
// scanned it there). Of a key the file holds more than once, the row DoubledRows::Kept
// chooses is copied (images in the file's folder); once committed, the other rows' images
// move to Replaced/. Text stored as bytes that are not UTF-8 (written by older programs)
// is read with `decodeLegacy` when given. Before committing, the counts are checked:
// every key of the file is on the server and the server gained exactly the rows
// inserted; otherwise nothing is written and QuillerError says so.
CopyCounts CopySqliteToServer(const QString& sqliteFile, Database& target,
                              const std::function<QString(QByteArrayView)>& decodeLegacy = {});

} // namespace quiller
