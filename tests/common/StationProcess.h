#pragma once
// The built station as a separate process on a test's temporary home, and what it left
// in its database. Header only: for tests that link Qt SQL and depend on the program.
#include "common/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace quiller::test {

class StationProcess {
public:
    // Writes the station's settings (image and interchange folders of `env`, scanner
    // ID A, the first scanner; or the given settings text) and starts the program on
    // SANE's slow virtual scanner.
    // With `ownSane`, the scanners are those of the SANE configuration the test itself
    // runs with (a test backend), not the slow virtual one.
    explicit StationProcess(const TestEnv& env, const QString& settings = QString(),
                            bool ownSane = false) {
        env.writeSettings(
            !settings.isEmpty()
                ? settings
                : QStringLiteral("[setup]\ndataPath=%1\nfilePath=%2\nScannerID=A\nScanner=0\n")
                      .arg(env.imageFolder(), env.interchangeFolder()));
        QDir().mkpath(env.home() + "/runtime");
        QFile::setPermissions(env.home() + "/runtime",
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert("HOME", env.home());
        e.insert("XDG_CONFIG_HOME", env.home() + "/.config");
        e.insert("XDG_RUNTIME_DIR", env.home() + "/runtime");
        e.insert("XDG_STATE_HOME", env.home() + "/state");
        e.insert("QT_QPA_PLATFORM", "offscreen");
        if (!ownSane)
            e.insert("SANE_CONFIG_DIR", QStringLiteral(QUILLER_TEST_DATA) + "/sane-e2e");
        environment_ = e;
        process_.setProcessEnvironment(e);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(Program(), {});
    }
    static QString Program() { return QStringLiteral(QUILLER_BINARY_DIR) + "/src/quiller"; }
    const QProcessEnvironment& environment() const { return environment_; }
    bool running() const { return process_.state() == QProcess::Running; }
    ~StationProcess() { kill(); }
    bool started() { return process_.waitForStarted(10000); }
    void kill() { // SIGKILL: no clean-up of any kind
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.kill();
        process_.waitForFinished(5000);
    }

private:
    QProcessEnvironment environment_;
    QProcess process_;
};

// The stored rows as "RxNbr/RefNo/RxImage" in Rx order, after the database's own
// integrity check ("ok" when whole) is stored in `integrity`.
inline QStringList StoredRows(const QString& dbPath, QString* integrity = nullptr) {
    QStringList rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "stored-rows");
        db.setDatabaseName(dbPath);
        if (db.open()) {
            QSqlQuery q(db);
            if (integrity && q.exec("PRAGMA integrity_check") && q.next())
                *integrity = q.value(0).toString();
            q.exec("SELECT RxNbr, RefNo, RxImage FROM RxImages ORDER BY RxNbr");
            while (q.next())
                rows << q.value(0).toString() + "/" + q.value(1).toString() + "/" +
                            q.value(2).toString();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase("stored-rows");
    return rows;
}

} // namespace quiller::test
