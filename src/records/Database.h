#pragma once

#include "records/DatabaseServer.h"

#include <QSqlDatabase>
#include <QString>
#include <memory>
#include <optional>

namespace quiller {

class QuillerError;

// The number of a failure of the database server or of the connection to it.
inline constexpr int kErrorServerUnavailable = 1100;
// The server answered and refused the station: login, password, no such database or
// role. Trying again does not help; the settings or the server must change.
inline constexpr int kErrorServerRefused = 1101;
// The database file is not a sound database (empty, not a database, failing its check).
inline constexpr int kErrorDatabaseDamaged = 1102;
// The database could not be brought to the schema of this program.
inline constexpr int kErrorUpgradeFailed = 1103;

// One prescription fill as the data file announces it and RxImages stores it.
// FillDate is the month/day/year text of the data file; the table holds ISO text.
struct Prescription {
    QString RxNbr;
    QString RefNo;
    QString FillDate;
    QString Drug;
    QString FirstName;
    QString LastName;
    QString RxImage;
};

// The station's database, reached through one named connection for the whole run: the
// SQLite file Marrowby.mdb in the image folder, or a PostgreSQL database shared by the
// stations of a pharmacy. Every value is bound; every failure throws QuillerError
// (SQLite's result code, or kErrorServerUnavailable for a server that failed).
class Database {
public:
    static QString FileName() { return QStringLiteral("Marrowby.mdb"); }
    static QString PathIn(const QString& dataPath);

    // Makes sure dataPath holds the database file: copies templateFolder's
    // Marrowby.mdb when present, otherwise creates the file with its schema.
    static void EnsureFile(const QString& dataPath, const QString& templateFolder);
    // The folder of the installed template database: quiller/ under the data folders
    // ($XDG_DATA_DIRS, /usr/share), never the program's own folder. Empty when there is
    // no template, and a new image folder then gets a database created with its schema.
    static QString TemplateFolder();
    // Creates the indexes of the engine on an open connection (idempotent); the tables
    // come from the migration steps.
    static void CreateSchema(QSqlDatabase& db);

    // Turns month/day/year text into ISO YYYY-MM-DD; throws kErrorBadDate for a text
    // that is not a real date ("//", "02/30/2006").
    static QString IsoDate(const QString& monthDayYear);
    // True for a failure of the database itself (busy, locked, read-only, unreachable,
    // full, damaged) as opposed to a row it refuses.
    static bool IsUnavailable(const QuillerError& error);

    explicit Database(const QString& connectionName = QStringLiteral("quiller"));
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens dataPath/Marrowby.mdb and brings it to the current schema; throws
    // QuillerError when it cannot be opened.
    void Open(const QString& dataPath);
    // Opens a file by full path (":memory:" for tests and fuzzing).
    void OpenFile(const QString& filePath);
    // Opens a PostgreSQL database and brings it to the current schema; throws
    // QuillerError (kErrorServerUnavailable when the server cannot be reached,
    // kErrorServerRefused when it refused the station). imageFolder is where the images
    // of the rows lie, for an upgrade that has to choose between doubled rows.
    void OpenServer(const ServerAddress& address, const QString& imageFolder = QString());
    // Open, also while a lost server connection is being re-established.
    bool IsOpen() const;

    // Whether the database takes statements now. When the connection to the server
    // breaks (a restart, a network fault) the database is ServerUnavailable until the
    // station has connected again by itself: the next statements, and this call, try
    // again 1, 2, 5 and then every 10 s after the failure, each waiting at most a fifth
    // of a second for the server (an attempt in progress goes on at the next call). Meanwhile every
    // statement throws kErrorServerUnavailable at once, so data files and pages wait.
    enum class State { Open, ServerUnavailable, Closed };
    State CurrentState();
    // What the status line says while the server is unavailable.
    static QString ServerUnavailableStatus();
    void Close();
    // The SQLite file; empty on a server.
    QString FilePath() const { return filePath_; }
    Engine engine() const { return engine_; }
    // Which database the station uses, for the operator ("file /srv/images/Marrowby.mdb").
    QString Describe() const { return description_; }
    QSqlDatabase Connection() const;

    // First Configuration row's ScannerSource as text (null reads as ""); no row: nullopt.
    std::optional<QString> ReadScannerSource();
    // Updates the first Configuration row, inserting one when the table is empty.
    void WriteScannerSource(int position);

    // Inserts or overwrites the row of (RxNbr, RefNo); RxImage becomes empty. Takes
    // effect whole or not at all: the date is checked before anything is written, and
    // one statement (an insert that updates the row of the same key, the key being
    // unique) writes, so two stations taking one prescription at once leave one row.
    void UpsertPrescription(const Prescription& p);
    // Records the stored image of one prescription; gives the number of rows changed
    // (0 when no row has that key).
    int SetRxImage(const QString& rxNbr, const QString& refNo, const QString& imageName);
    // Removes one prescription's row.
    void DeletePrescription(const QString& rxNbr, const QString& refNo);
    // The stored row of a key, for tools and tests.
    std::optional<Prescription> Find(const QString& rxNbr, const QString& refNo);

    // A data file is written in one transaction; each line in its own savepoint.
    void BeginTransaction();
    void Commit();
    void Rollback();
    void Savepoint(const QString& name);
    void ReleaseSavepoint(const QString& name);
    void RollbackToSavepoint(const QString& name);

private:
    // The statements run once per data-file line or stored page, prepared once for
    // the connection.
    struct Statements;
    Statements& Prepared();
    // Brings the just opened connection to the current schema.
    void MigrateOpened(const QString& source, const QString& imageFolder);
    // Before each statement: throws kErrorServerUnavailable while a lost server
    // connection is not back; tries to bring it back when `reconnect` and an attempt is
    // due (never inside a transaction the broken connection has taken with it).
    void Usable(const QString& source);
    void Usable(const QString& source, bool reconnect);
    bool TryReconnect();
    struct Reconnection;
    std::unique_ptr<Reconnection> reconnection_;
    std::optional<ServerAddress> server_;

    QString connectionName_;
    std::unique_ptr<Statements> statements_;
    QString filePath_;
    QString description_;
    Engine engine_ = Engine::Sqlite;
    bool inTransaction_ = false;
};

} // namespace quiller
