#include "records/DatabaseCopy.h"

#include "base/Error.h"
#include "records/Database.h"
#include "records/DoubledRows.h"
#include "records/SqlSupport.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringDecoder>
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
            throw QuillerError(
                kErrorUnknown,
                QCoreApplication::translate("DatabaseCopy", "There is no database file %1.")
                    .arg(file),
                source);
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

// A text column read as its bytes: UTF-8 when it is, else the legacy decoding.
QVariant TextOf(const QVariant& bytes, const std::function<QString(QByteArrayView)>& decodeLegacy) {
    if (bytes.isNull())
        return QVariant();
    const QByteArray raw = bytes.toByteArray();
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(raw);
    if (utf8.hasError() && decodeLegacy)
        text = decodeLegacy(raw);
    return BoundText(text);
}

struct SourceRow {
    qint64 rowid = 0;
    QVariant values[7]; // RxNbr, RefNo, FillDate, Drug, FirstName, LastName, RxImage
};

} // namespace

CopyCounts CopySqliteToServer(const QString& sqliteFile, Database& target,
                              const std::function<QString(QByteArrayView)>& decodeLegacy) {
    const QString source = QStringLiteral("CopyDatabase");
    if (target.engine() != Engine::PostgreSql || !target.IsOpen())
        throw QuillerError(
            kErrorUnknown,
            QCoreApplication::translate("DatabaseCopy", "The copy goes to an open server."),
            source);
    const ReadOnlyFile file(sqliteFile, source);
    const QString imageFolder = QFileInfo(sqliteFile).absolutePath();
    CopyCounts counts;
    QStringList orphans;
    const QSqlDatabase server = target.Connection();
    target.BeginTransaction();
    try {
        // The copy, a tool run, may wait for the stations' short transactions.
        ExecText(server, QStringLiteral("SET LOCAL lock_timeout = '5s'"), source);
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
        // The rows of one key together, oldest first; texts as their stored bytes.
        if (!rows.exec(QStringLiteral(
                "SELECT rowid, CAST(RxNbr AS BLOB), CAST(RefNo AS BLOB), CAST(FillDate AS BLOB), "
                "CAST(Drug AS BLOB), CAST(FirstName AS BLOB), CAST(LastName AS BLOB), "
                "CAST(RxImage AS BLOB) FROM RxImages ORDER BY RxNbr, RefNo, rowid")))
            throw SqlFailure(rows.lastError(), source);
        QSqlQuery upsert(server);
        // Only a row that differs is written: a repeated copy changes nothing.
        if (!upsert.prepare(QStringLiteral(
                "INSERT INTO RxImages AS r (RxNbr, RefNo, FillDate, Drug, FirstName, LastName, "
                "RxImage) VALUES (:rx, :ref, :d, :drug, :f, :l, :img) "
                "ON CONFLICT (RxNbr, RefNo) DO UPDATE SET FillDate = excluded.FillDate, "
                "Drug = excluded.Drug, FirstName = excluded.FirstName, "
                "LastName = excluded.LastName, RxImage = excluded.RxImage WHERE r.RxImage = '' "
                "AND (r.FillDate, r.Drug, r.FirstName, r.LastName, r.RxImage) IS DISTINCT FROM "
                "(excluded.FillDate, excluded.Drug, excluded.FirstName, excluded.LastName, "
                "excluded.RxImage) RETURNING (xmax = 0)")))
            throw SqlFailure(upsert.lastError(), source);
        QSqlQuery image(server);
        if (!image.prepare(
                QStringLiteral("SELECT RxImage FROM RxImages WHERE RxNbr = :rx AND RefNo = :ref")))
            throw SqlFailure(image.lastError(), source);
        QSqlQuery key(server);
        if (!key.prepare(QStringLiteral("INSERT INTO CopiedKeys VALUES (:rx, :ref)")))
            throw SqlFailure(key.lastError(), source);

        const auto copy = [&](const QList<SourceRow>& group) {
            if (group.isEmpty())
                return;
            QList<DoubledRows::Row> choice;
            for (const SourceRow& row : group)
                choice << DoubledRows::Row{row.rowid, row.values[6].toString()};
            const qsizetype kept = DoubledRows::Kept(choice, imageFolder);
            orphans << DoubledRows::ImagesLeftWithoutRow(choice, kept, imageFolder);
            const SourceRow& row = group[kept];
            static const char* const names[] = {":rx", ":ref", ":d", ":drug", ":f", ":l", ":img"};
            for (int c = 0; c < 7; ++c)
                upsert.bindValue(QString::fromLatin1(names[c]),
                                 c < 2 || c == 6 ? BoundText(row.values[c].toString())
                                                 : row.values[c]);
            Exec(upsert, source);
            if (upsert.next()) {
                ++(upsert.value(0).toBool() ? counts.inserted : counts.updated);
            } else {
                image.bindValue(QStringLiteral(":rx"), BoundText(row.values[0].toString()));
                image.bindValue(QStringLiteral(":ref"), BoundText(row.values[1].toString()));
                Exec(image, source);
                const bool scanned = image.next() && !image.value(0).toString().isEmpty();
                ++(scanned && image.value(0).toString() != row.values[6].toString()
                       ? counts.kept
                       : counts.unchanged);
                image.finish();
            }
            upsert.finish();
            key.bindValue(QStringLiteral(":rx"), BoundText(row.values[0].toString()));
            key.bindValue(QStringLiteral(":ref"), BoundText(row.values[1].toString()));
            Exec(key, source);
            ++counts.sourceKeys;
        };
        QList<SourceRow> group;
        while (rows.next()) {
            ++counts.sourceRows;
            SourceRow row;
            row.rowid = rows.value(0).toLongLong();
            for (int c = 0; c < 7; ++c)
                row.values[c] = TextOf(rows.value(c + 1), decodeLegacy);
            if (!group.isEmpty() &&
                (group[0].values[0] != row.values[0] || group[0].values[1] != row.values[1])) {
                copy(group);
                group.clear();
            }
            group << row;
        }
        if (rows.lastError().isValid())
            throw SqlFailure(rows.lastError(), source);
        copy(group);
        counts.targetAfter = Count(server, QStringLiteral("SELECT count(*) FROM RxImages"), source);
        const qint64 found = Count(server,
                                   QStringLiteral("SELECT count(*) FROM (SELECT DISTINCT k.RxNbr, "
                                                  "k.RefNo FROM CopiedKeys k JOIN RxImages r ON "
                                                  "r.RxNbr = k.RxNbr AND r.RefNo = k.RefNo) f"),
                                   source);
        if (found != counts.sourceKeys ||
            counts.targetAfter != counts.targetBefore + counts.inserted)
            throw QuillerError(
                kErrorUnknown,
                QCoreApplication::translate("DatabaseCopy",
                                            "The copy does not add up (%1 of %2 prescriptions "
                                            "found on the server; %3 rows before, %4 added, %5 "
                                            "after).")
                    .arg(found)
                    .arg(counts.sourceKeys)
                    .arg(counts.targetBefore)
                    .arg(counts.inserted)
                    .arg(counts.targetAfter),
                source);
        target.Commit();
    } catch (const QuillerError& e) {
        try {
            target.Rollback();
        } catch (const QuillerError&) {
            // The connection itself failed: the server drops the transaction.
        }
        throw QuillerError(e.number(),
                           QCoreApplication::translate("DatabaseCopy", "Nothing was copied: %1")
                               .arg(WithoutPassword(e.description())),
                           source);
    }
    DoubledRows::MoveToReplaced(imageFolder, orphans);
    return counts;
}

} // namespace quiller
