#pragma once

// One station for the polling-tick tests: folders, database, status line, list, timers
// and the tick, with the hooks the tick calls recorded.
#include "common/ScanListFake.h"
#include "common/TestEnv.h"
#include "records/Database.h"
#include "station/PollingTick.h"
#include "station/StationContext.h"

#include <QSqlQuery>
#include <QtTest>

namespace quiller::test {

class FakeMainWindow : public MainWindowPort {
public:
    QStringList history;
    void SetStatusText(const QString& text) override { history << text; }
    QString StatusText() const override { return history.isEmpty() ? QString() : history.last(); }
};

// One station: folders, database, status line, list, timers and the tick.
struct Station {
    TestEnv env;
    StationContext app;
    FakeMainWindow window;
    ScanListFake list;
    bool polling = true;
    int timer2Offs = 0;
    int batches = 0;
    QList<QList<ScanListFake::Entry>> listAtBatch;
    std::unique_ptr<PollingTick> tick;

    explicit Station(const QString& id = QStringLiteral("A")) {
        app.MainWindow = &window;
        app.dataPath = env.imageFolder();
        app.filePath = env.interchangeFolder();
        app.ScannerID = id;
        Database::EnsureFile(app.dataPath, QString());
        app.DbConnection = std::make_unique<Database>();
        app.DbConnection->Open(app.dataPath);
        PollingHooks hooks;
        hooks.startBatch = [this] {
            ++batches;
            listAtBatch << list.entries;
        };
        hooks.setPolling = [this](bool on) {
            polling = on;
        };
        hooks.timer2Off = [this] {
            ++timer2Offs;
        };
        tick = std::make_unique<PollingTick>(app, list, hooks);
    }
    ~Station() { app.DbConnection.reset(); }

    QString path(const QString& name) const { return env.interchangeFolder() + "/" + name; }
    QString lockFile() const { return app.LockFilePath(); }
    QString drop(const QString& name, const QByteArray& content) const {
        WriteFile(path(name), content);
        return path(name);
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            tick->Timer1_Timer();
    }
    int rows() const {
        QSqlQuery q(app.DbConnection->Connection());
        q.exec("SELECT count(*) FROM RxImages");
        return q.next() ? q.value(0).toInt() : -1;
    }
    QString status() const { return window.StatusText(); }
    // Another program's connection to the station's database.
    std::unique_ptr<Database> other() const {
        auto db = std::make_unique<Database>(QStringLiteral("other-program"));
        db->Open(app.dataPath);
        return db;
    }
};

inline bool Exec(Database& db, const char* sql) {
    return QSqlQuery(db.Connection()).exec(QString::fromLatin1(sql));
}

inline void SetModified(const QString& path, const QDateTime& when) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(when, QFileDevice::FileModificationTime));
}

} // namespace quiller::test
