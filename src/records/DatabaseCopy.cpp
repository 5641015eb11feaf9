#include "records/DatabaseCopy.h"

#include "base/Error.h"
#include "records/Database.h"
#include "records/SqlSupport.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>
#include <QUrlQuery>
#include <QUuid>

namespace quiller {

namespace {

qint64 Count(const QSqlDatabase& db, const QString& text, const QString& source) {
    QSqlQuery q(db);
    if (!q.exec(text) || !q.next())
        throw SqlFailure(q.lastError(), source);
    return q.value(0).toLongLong();
}

// The source file through a read-only connection of its own.
class ReadOnlyFile {
public:
    ReadOnlyFile(const QString& file, const QString& source)
        : name_(QStringLiteral("quiller-copy-") + QUuid::createUuid().toString()) {
        if (!QFileInfo(file).isFile())
            throw QuillerError(kErrorUnknown,
                               QStringLiteral("There is no database file %1.").arg(file), source);
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=5000"));
        if (!db.open()) {
            const QuillerError failure = SqlFailure(db.lastError(), source);
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name_);
            throw failure;
        }
    }
    ~ReadOnlyFile() {
        {
            QSqlDatabase db = QSqlDatabase::database(name_, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(name_);
    }
    QSqlDatabase db() const { return QSqlDatabase::database(name_, false); }

private:
    QString name_;
};

} // namespace

ServerAddress ParseServerUri(const QString& uri) {
    // libpq's URI form: scheme, optional user, host (a socket folder percent-encoded),
    // optional port, the database, optional parameters of which sslmode is read.
    static const QRegularExpression form(QStringLiteral(
        "^postgres(?:ql)?://(?:([^@/?]*)@)?([^/:?]*)(?::([0-9]{1,5}))?/([^/?]+)(?:\\?(.*))?$"));
    const QRegularExpressionMatch m = form.match(uri);
    // A password is never taken from a command line (other accounts can read it there)
    // and never repeated: libpq reads it from the account's own ~/.pgpass.
    static const QRegularExpression password(
        QStringLiteral("^[^/]*//[^@/?]*:[^@/?]*@|[?&]password="),
        QRegularExpression::CaseInsensitiveOption);
    if (password.match(uri).hasMatch())
        throw QuillerError(kErrorBadSetting,
                           QStringLiteral("The server address holds a password, which is never "
                                          "taken from a command line. Give "
                                          "postgresql://user@host:port/database and put the "
                                          "password in ~/.pgpass (mode 0600)."),
                           QStringLiteral("ParseServerUri"));
    if (!m.hasMatch())
        throw QuillerError(kErrorBadSetting,
                           QStringLiteral("\"%1\" is not a server address of the form "
                                          "postgresql://user@host:port/database.")
                               .arg(uri.left(80)),
                           QStringLiteral("ParseServerUri"));
    auto decoded = [](const QString& part) {
        return QUrl::fromPercentEncoding(part.toUtf8());
    };
    ServerAddress a;
    a.user = decoded(m.captured(1));
    a.host = decoded(m.captured(2));
    a.port = m.captured(3).toInt();
    a.name = decoded(m.captured(4));
    a.sslmode =
        QUrlQuery(m.captured(5)).queryItemValue(QStringLiteral("sslmode"), QUrl::FullyDecoded);
    return a;
}

CopyCounts CopySqliteToServer(const QString& sqliteFile, Database& target) {
    const QString source = QStringLiteral("CopyDatabase");
    if (target.engine() != Engine::PostgreSql || !target.IsOpen())
        throw QuillerError(kErrorUnknown, QStringLiteral("The copy goes to an open server."),
                           source);
    const ReadOnlyFile file(sqliteFile, source);
    CopyCounts counts;
    counts.sourceKeys = Count(file.db(),
                              QStringLiteral("SELECT count(*) FROM (SELECT DISTINCT RxNbr, RefNo "
                                             "FROM RxImages)"),
                              source);
    const QSqlDatabase server = target.Connection();
    target.BeginTransaction();
    try {
        // No station writes while the rows are copied, so the counts below are exact.
        ExecText(server, QStringLiteral("LOCK TABLE RxImages IN SHARE ROW EXCLUSIVE MODE"), source);
        ExecText(server,
                 QStringLiteral("CREATE TEMP TABLE CopiedKeys (RxNbr TEXT COLLATE \"C\", "
                                "RefNo TEXT COLLATE \"C\") ON COMMIT DROP"),
                 source);
        counts.targetBefore =
            Count(server, QStringLiteral("SELECT count(*) FROM RxImages"), source);

        QSqlQuery rows(file.db());
        rows.setForwardOnly(true);
        // Rows in the order they were written, so of a key stored twice in an old file
        // the newest is the one copied last.
        if (!rows.exec(
                QStringLiteral("SELECT RxNbr, RefNo, FillDate, Drug, FirstName, LastName, RxImage "
                               "FROM RxImages ORDER BY rowid")))
            throw SqlFailure(rows.lastError(), source);
        QSqlQuery upsert(server);
        if (!upsert.prepare(QStringLiteral(
                "INSERT INTO RxImages AS r (RxNbr, RefNo, FillDate, Drug, FirstName, LastName, "
                "RxImage) VALUES (:rx, :ref, :d, :drug, :f, :l, :img) "
                "ON CONFLICT (RxNbr, RefNo) DO UPDATE SET FillDate = excluded.FillDate, "
                "Drug = excluded.Drug, FirstName = excluded.FirstName, "
                "LastName = excluded.LastName, RxImage = excluded.RxImage WHERE r.RxImage = '' "
                "RETURNING (xmax = 0)")))
            throw SqlFailure(upsert.lastError(), source);
        QSqlQuery key(server);
        if (!key.prepare(QStringLiteral("INSERT INTO CopiedKeys VALUES (:rx, :ref)")))
            throw SqlFailure(key.lastError(), source);
        while (rows.next()) {
            ++counts.sourceRows;
            const QVariant rx = BoundText(rows.value(0).toString());
            const QVariant ref = BoundText(rows.value(1).toString());
            upsert.bindValue(QStringLiteral(":rx"), rx);
            upsert.bindValue(QStringLiteral(":ref"), ref);
            upsert.bindValue(QStringLiteral(":d"), rows.value(2));
            upsert.bindValue(QStringLiteral(":drug"), rows.value(3));
            upsert.bindValue(QStringLiteral(":f"), rows.value(4));
            upsert.bindValue(QStringLiteral(":l"), rows.value(5));
            upsert.bindValue(QStringLiteral(":img"), BoundText(rows.value(6).toString()));
            Exec(upsert, source);
            if (!upsert.next())
                ++counts.kept;
            else if (upsert.value(0).toBool())
                ++counts.inserted;
            else
                ++counts.updated;
            key.bindValue(QStringLiteral(":rx"), rx);
            key.bindValue(QStringLiteral(":ref"), ref);
            Exec(key, source);
        }
        if (rows.lastError().isValid())
            throw SqlFailure(rows.lastError(), source);
        counts.targetAfter = Count(server, QStringLiteral("SELECT count(*) FROM RxImages"), source);
        const qint64 found = Count(server,
                                   QStringLiteral("SELECT count(*) FROM (SELECT DISTINCT k.RxNbr, "
                                                  "k.RefNo FROM CopiedKeys k JOIN RxImages r ON "
                                                  "r.RxNbr = k.RxNbr AND r.RefNo = k.RefNo) f"),
                                   source);
        if (found != counts.sourceKeys ||
            counts.targetAfter != counts.targetBefore + counts.inserted)
            throw QuillerError(kErrorUnknown,
                               QStringLiteral("The copy does not add up (%1 of %2 prescriptions "
                                              "found on the server; %3 rows before, %4 added, %5 "
                                              "after); nothing was copied.")
                                   .arg(found)
                                   .arg(counts.sourceKeys)
                                   .arg(counts.targetBefore)
                                   .arg(counts.inserted)
                                   .arg(counts.targetAfter),
                               source);
        target.Commit();
    } catch (...) {
        try {
            target.Rollback();
        } catch (const QuillerError&) {
            // The connection itself failed: the server drops the transaction.
        }
        throw;
    }
    return counts;
}

} // namespace quiller
