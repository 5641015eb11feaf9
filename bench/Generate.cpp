#include "Generate.h"

#include "base/Error.h"
#include "records/Database.h"
#include "records/DatabaseCare.h"
#include "station/ImageNaming.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>
#include <algorithm>
#include <random>
#include <vector>

namespace quiller::bench {

namespace {

// Patients come back: a fixed population, each with a name of the pools.
struct Patient {
    int first;
    int last;
};
std::vector<Patient> Population(int size) {
    const Pools& p = ThePools();
    std::mt19937_64 rng(11);
    std::vector<Patient> out(static_cast<size_t>(size));
    for (Patient& patient : out) {
        patient.first = int(rng() % quint64(p.firstNames.size()));
        patient.last = int(rng() % quint64(p.lastNames.size()));
    }
    return out;
}

QString Fail(const QString& what, const QSqlError& e) {
    return what + QStringLiteral(": ") + e.text();
}

} // namespace

QString GenerateDatabase(const QString& path, qint64 rows) {
    if (QFile::exists(path) && !QFile::remove(path))
        return QStringLiteral("cannot replace ") + path;
    const Pools& pools = ThePools();
    const std::vector<Patient> patients = Population(60000);
    const QString connection = QStringLiteral("bench-gen-") + QUuid::createUuid().toString();
    QString failure;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        if (!db.open())
            return Fail(QStringLiteral("open"), db.lastError());
        QSqlQuery q(db);
        try {
            // The station's own tables and indexes; the search indexes are built again
            // after the rows are in, which is much faster than keeping them up to date
            // (the unique key stays: it is what keeps a prescription to one row).
            DatabaseCare::Migrate(db);
            for (const char* index : {"RxImages_RxValue", "RxImages_LastName", "RxImages_FirstName",
                                      "RxImages_Drug", "RxImages_FillDate", "RxImages_NotScanned"})
                q.exec(QStringLiteral("DROP INDEX ") + QLatin1String(index));
            q.exec(QStringLiteral("PRAGMA journal_mode=OFF"));
            q.exec(QStringLiteral("PRAGMA synchronous=OFF"));
            q.exec(QStringLiteral("PRAGMA cache_size=-262144"));
            if (!q.exec(QStringLiteral("BEGIN")))
                throw Fail(QStringLiteral("begin"), q.lastError());
            QSqlQuery insert(db);
            if (!insert.prepare(QStringLiteral(
                    "INSERT INTO RxImages (RxNbr, RefNo, FillDate, Drug, FirstName, LastName, "
                    "RxImage) VALUES (?, ?, ?, ?, ?, ?, ?)")))
                throw Fail(QStringLiteral("prepare"), insert.lastError());

            std::mt19937_64 rng(20160101);
            std::uniform_real_distribution<double> unit(0.0, 1.0);
            const QDate start(2016, 1, 1);
            const qint64 days = start.daysTo(QDate(2026, 1, 1));
            const int firstRx = 100000;
            std::vector<quint8> refills; // last refill number of each Rx number
            std::vector<int> patientOf;  // the patient of each Rx number
            std::vector<int> drugOf;     // its drug
            refills.reserve(size_t(rows));
            const qint64 unscannedFrom = rows - rows * 3 / 100;
            for (qint64 i = 0; i < rows; ++i) {
                const QDate date = start.addDays(i * days / qMax<qint64>(rows, 1));
                int rx = -1;
                if (!refills.empty() && unit(rng) < 0.45) {
                    // A refill of one of the recent prescriptions.
                    const size_t window = qMin<size_t>(refills.size(), 40000);
                    const size_t pick = refills.size() - 1 - size_t(rng() % window);
                    if (refills[pick] < 99)
                        rx = int(pick);
                }
                if (rx < 0) {
                    rx = int(refills.size());
                    refills.push_back(0);
                    patientOf.push_back(int(rng() % patients.size()));
                    drugOf.push_back(int(rng() % quint64(pools.drugs.size())));
                } else {
                    ++refills[size_t(rx)];
                }
                const Patient& patient = patients[size_t(patientOf[size_t(rx)])];
                const QString rxNbr = QString::number(firstRx + rx);
                const QString refNo =
                    QStringLiteral("%1").arg(int(refills[size_t(rx)]), 2, 10, QLatin1Char('0'));
                insert.bindValue(0, rxNbr);
                insert.bindValue(1, refNo);
                insert.bindValue(2, date.toString(Qt::ISODate));
                insert.bindValue(3, pools.drugs.at(drugOf[size_t(rx)]));
                insert.bindValue(4, pools.firstNames.at(patient.first));
                insert.bindValue(5, pools.lastNames.at(patient.last));
                insert.bindValue(6, i < unscannedFrom
                                        ? ImageFileName(rxNbr + QLatin1Char('-') + refNo)
                                        : QString::fromLatin1("", 0));
                if (!insert.exec())
                    throw Fail(QStringLiteral("insert"), insert.lastError());
            }
            if (!q.exec(QStringLiteral("COMMIT")))
                throw Fail(QStringLiteral("commit"), q.lastError());
            Database::CreateSchema(db);
        } catch (const QString& e) {
            failure = e;
        } catch (const QuillerError& e) {
            failure = e.description();
        }
        q = QSqlQuery();
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return failure;
}

QString GenerateDataFile(const QString& path, qint64 lines, int firstRx) {
    const Pools& pools = ThePools();
    const std::vector<Patient> patients = Population(60000);
    // Another first Rx number (another station's file) draws other refills too.
    std::mt19937_64 rng(20260105 + quint64(firstRx - 700000));
    QByteArray out;
    out.reserve(int(lines * 80));
    int nextRx = firstRx;
    for (qint64 i = 0; i < lines; ++i) {
        int rx;
        int ref;
        if (rng() % 10 == 0) {
            // A refill of a prescription filled before.
            rx = 100000 + int(rng() % 500000);
            ref = int(rng() % 12);
        } else {
            rx = nextRx++;
            ref = 0;
        }
        if (rx > 999999)
            rx = 100000 + rx % 900000;
        const Patient& patient = patients[rng() % patients.size()];
        const QString drug = pools.drugs.at(int(rng() % quint64(pools.drugs.size())));
        const QDate date = QDate(2026, 1, 5).addDays(qint64(rng() % 3));
        QString line =
            QString::number(rx).rightJustified(6, QLatin1Char(' ')) +
            QString::number(ref).rightJustified(2, QLatin1Char('0')) +
            date.toString(QStringLiteral("yyyyMMdd")) + drug +
            pools.firstNames.at(patient.first).leftJustified(15, QLatin1Char(' '), true) +
            pools.lastNames.at(patient.last).leftJustified(15, QLatin1Char(' '), true);
        out += line.toLatin1();
        out += "\r\n";
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.commit())
        return QStringLiteral("cannot write ") + path;
    return QString();
}

QString GenerateForeignFiles(const QString& folder, int count) {
    if (!QDir().mkpath(folder))
        return QStringLiteral("cannot create ") + folder;
    static const char letters[] = "BCDEFGHJKLMN";
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("%1X%2.QLV")
                                 .arg(QLatin1Char(letters[i % 12]))
                                 .arg(i, 5, 10, QLatin1Char('0'));
        QFile f(folder + QLatin1Char('/') + name);
        if (!f.open(QIODevice::WriteOnly))
            return QStringLiteral("cannot write ") + f.fileName();
        f.write("   1230120061107Amoxicillin 500mg Caps        John           Smith          \r\n");
    }
    return QString();
}

} // namespace quiller::bench
