#include "common/TestEnv.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

namespace quiller::test {

TestEnv::TestEnv()
    : dir_(std::make_unique<QTemporaryDir>()), oldConfigHome_(qgetenv("XDG_CONFIG_HOME")),
      oldHome_(qgetenv("HOME")) {
    QVERIFY(dir_->isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home() + QStringLiteral("/.config")));
    qputenv("HOME", QFile::encodeName(home()));
    // QSettings reads XDG_CONFIG_HOME once per process; point it at this home too.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       home() + QStringLiteral("/.config"));
    QDir().mkpath(imageFolder());
    QDir().mkpath(interchangeFolder());
}

TestEnv::~TestEnv() {
    qputenv("XDG_CONFIG_HOME", oldConfigHome_);
    qputenv("HOME", oldHome_);
}

QString TestEnv::configFile() const {
    return home() + QStringLiteral("/.config/Quiller/Quiller.conf");
}

void TestEnv::writeSettings(const QString& iniText) const {
    QDir().mkpath(QFileInfo(configFile()).path());
    WriteFile(configFile(), iniText.toUtf8());
}

void WriteFile(const QString& path, const QByteArray& content) {
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    f.write(content);
}

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

QStringList RunSql(const QString& file, const QStringList& statements) {
    QStringList out;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "raw-sql");
        db.setDatabaseName(file);
        if (!db.open())
            return {"cannot open"};
        for (const QString& sql : statements) {
            QSqlQuery q(db);
            if (!q.exec(sql))
                out << "ERROR " + sql;
            while (q.next())
                out << (q.value(0).isNull() ? "<null>" : q.value(0).toString());
        }
    }
    QSqlDatabase::removeDatabase("raw-sql");
    return out;
}

QString DataFile(const QString& name) {
    return QStringLiteral(QUILLER_TEST_DATA) + QLatin1Char('/') + name;
}

} // namespace quiller::test
