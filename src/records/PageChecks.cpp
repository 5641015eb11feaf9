#include "records/PageChecks.h"

#include "base/Error.h"
#include "records/Database.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace quiller {

namespace {

QuillerError Failure(const QSqlQuery& query, const QString& source) {
    const QSqlError error = query.lastError();
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return QuillerError(ok && code != 0 ? code : kErrorUnknown, text, source);
}

// Text columns get text, never NULL.
QVariant Text(const QString& value) {
    return value.isNull() ? QVariant(QString::fromLatin1("", 0)) : QVariant(value);
}

void Run(QSqlQuery& query, const QString& source) {
    if (!query.exec())
        throw Failure(query, source);
}

} // namespace

QString PageChecks::Shown(const QString& filed) {
    if (filed == Verified())
        return QCoreApplication::translate("PageChecks", "verified");
    if (filed == ByPosition())
        return QCoreApplication::translate("PageChecks", "by position");
    if (filed == ByOperator())
        return QCoreApplication::translate("PageChecks", "by operator");
    return filed;
}

namespace PageChecks {

int SetImageChecked(Database& db, const QString& rxNbr, const QString& refNo,
                    const QString& imageName, const PageCheck& check) {
    const QString source = QStringLiteral("PageChecks.SetImageChecked");
    db.BeginTransaction();
    try {
        const int rows = db.SetRxImage(rxNbr, refNo, imageName);
        if (rows > 0) {
            QSqlQuery erase(db.Connection());
            erase.prepare(QStringLiteral("DELETE FROM PageChecks WHERE RxNbr = ? AND RefNo = ?"));
            erase.addBindValue(Text(rxNbr));
            erase.addBindValue(Text(refNo));
            Run(erase, source);
            QSqlQuery insert(db.Connection());
            insert.prepare(
                QStringLiteral("INSERT INTO PageChecks (RxNbr, RefNo, Filed, Code, "
                               "CheckedAt, Station, OtherCodes) VALUES (?, ?, ?, ?, ?, ?, ?)"));
            insert.addBindValue(Text(rxNbr));
            insert.addBindValue(Text(refNo));
            insert.addBindValue(Text(check.filed));
            insert.addBindValue(Text(check.code));
            insert.addBindValue(check.when.toUTC().toString(Qt::ISODate));
            insert.addBindValue(Text(check.station));
            insert.addBindValue(Text(check.others));
            Run(insert, source);
        }
        db.Commit();
        return rows;
    } catch (...) {
        try {
            db.Rollback();
        } catch (const QuillerError&) {
            // The failure that ended the transaction is the one to report.
        }
        throw;
    }
}

QHash<QString, QString> FiledOf(const QSqlDatabase& db,
                                const QList<std::pair<QString, QString>>& keys) {
    QHash<QString, QString> filed;
    // A few hundred keys at a time keeps each statement within every engine's limit on
    // bound values (999 in older SQLite), and a page of the search list (256 rows) in one
    // statement: on a server every statement is a few round trips.
    constexpr qsizetype kChunk = 500;
    for (qsizetype first = 0; first < keys.size(); first += kChunk) {
        const QList<std::pair<QString, QString>> chunk = keys.mid(first, kChunk);
        QStringList marks;
        for (qsizetype i = 0; i < chunk.size(); ++i)
            marks << QStringLiteral("?");
        QSqlQuery query(db);
        query.setForwardOnly(true);
        query.prepare(
            QStringLiteral("SELECT RxNbr, RefNo, Filed FROM PageChecks WHERE RxNbr IN (") +
            marks.join(u',') + u')');
        for (const auto& key : chunk)
            query.addBindValue(Text(key.first));
        Run(query, QStringLiteral("PageChecks.FiledOf"));
        while (query.next())
            filed.insert(Key(query.value(0).toString(), query.value(1).toString()),
                         query.value(2).toString());
    }
    // Rows of the same Rx number but a refill not asked for are dropped.
    QHash<QString, QString> asked;
    for (const auto& key : keys) {
        const QString k = Key(key.first, key.second);
        if (const auto it = filed.constFind(k); it != filed.constEnd())
            asked.insert(k, *it);
    }
    return asked;
}

} // namespace PageChecks

} // namespace quiller
