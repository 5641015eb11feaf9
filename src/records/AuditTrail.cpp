#include "records/AuditTrail.h"

#include "records/DatabaseServer.h"
#include "records/SqlSupport.h"

#include <QTimeZone>
#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

namespace quiller {

namespace {

QString UtcText(const QDateTime& when) {
    return when.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ"));
}

QString CsvField(const QString& value) {
    // A leading =, +, - or @ would be read as a formula by a spreadsheet: quoted with a
    // leading apostrophe it stays text.
    QString text = value;
    if (!text.isEmpty() && QStringLiteral("=+-@").contains(text.front()))
        text.prepend(QLatin1Char('\''));
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    text.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

namespace AuditTrail {

QString OsAccount() {
#ifdef Q_OS_UNIX
    const uid_t uid = ::geteuid();
    if (const passwd* entry = ::getpwuid(uid))
        return QString::fromLocal8Bit(entry->pw_name);
    return QStringLiteral("uid %1").arg(uid);
#else
    return qEnvironmentVariable("USERNAME");
#endif
}

void Append(const QSqlDatabase& db, const AuditEntry& entry, const QDateTime& at) {
    const QString source = QStringLiteral("AuditTrail.Append");
    // On a server the role is the server's own word for who is connected.
    const QString role =
        EngineOf(db) == Engine::PostgreSql ? QStringLiteral("current_user") : QStringLiteral("''");
    QSqlQuery query(db);
    if (!query.prepare(QStringLiteral("INSERT INTO AuditTrail (At, Station, Account, Role, "
                                      "Action, RxNbr, RefNo, Detail, Outcome) "
                                      "VALUES (?, ?, ?, %1, ?, ?, ?, ?, ?)")
                           .arg(role)))
        throw SqlFailure(query.lastError(), source);
    query.addBindValue(UtcText(at));
    query.addBindValue(BoundText(entry.station));
    query.addBindValue(BoundText(OsAccount()));
    query.addBindValue(BoundText(entry.action));
    query.addBindValue(BoundText(entry.rxNbr));
    query.addBindValue(BoundText(entry.refNo));
    query.addBindValue(BoundText(entry.detail));
    query.addBindValue(BoundText(entry.outcome));
    Exec(query, source);
}

QList<AuditRow> Read(const QSqlDatabase& db, const QDate& from, const QDate& to,
                     const QString& rxNbr) {
    const QString source = QStringLiteral("AuditTrail.Read");
    // Local days, compared as UTC text: the stored form sorts as time does.
    const QString start = from.isValid() ? UtcText(from.startOfDay()) : QStringLiteral("0000");
    const QString end = to.isValid() ? UtcText(to.addDays(1).startOfDay()) : QStringLiteral("9999");
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(QStringLiteral(
            "SELECT At, Station, Account, Role, Action, RxNbr, RefNo, Detail, Outcome "
            "FROM AuditTrail WHERE At >= ? AND At < ? AND (? = '' OR RxNbr = ?) "
            "ORDER BY At, rowid")))
        throw SqlFailure(query.lastError(), source);
    query.addBindValue(start);
    query.addBindValue(end);
    query.addBindValue(BoundText(rxNbr));
    query.addBindValue(BoundText(rxNbr));
    Exec(query, source);
    QList<AuditRow> rows;
    while (query.next()) {
        AuditRow row;
        row.at = query.value(0).toString();
        row.station = query.value(1).toString();
        row.account = query.value(2).toString();
        row.role = query.value(3).toString();
        row.action = query.value(4).toString();
        row.rxNbr = query.value(5).toString();
        row.refNo = query.value(6).toString();
        row.detail = query.value(7).toString();
        row.outcome = query.value(8).toString();
        rows.append(row);
    }
    if (query.lastError().isValid())
        throw SqlFailure(query.lastError(), source);
    return rows;
}

QString Csv(const QList<AuditRow>& rows) {
    QString out =
        QStringLiteral("time,station,account,role,action,rx_number,refill,detail,outcome\r\n");
    for (const AuditRow& r : rows) {
        const QStringList fields = {r.at,    r.station, r.account, r.role,   r.action,
                                    r.rxNbr, r.refNo,   r.detail,  r.outcome};
        QStringList quoted;
        for (const QString& f : fields)
            quoted << CsvField(f);
        out += quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return out;
}

int RemoveBefore(const QSqlDatabase& db, const QDateTime& before) {
    const QString source = QStringLiteral("AuditTrail.RemoveBefore");
    QSqlQuery query(db);
    if (!query.prepare(QStringLiteral("DELETE FROM AuditTrail WHERE At < ?")))
        throw SqlFailure(query.lastError(), source);
    query.addBindValue(UtcText(before));
    Exec(query, source);
    return query.numRowsAffected();
}

} // namespace AuditTrail

} // namespace quiller
