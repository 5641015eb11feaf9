#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace quiller::test {

// A temporary home for one test: XDG_CONFIG_HOME (so QSettings writes
// <home>/.config/Quiller/Quiller.conf), an image folder and an interchange folder.
class TestEnv {
public:
    TestEnv();
    ~TestEnv();

    QString home() const { return dir_->path(); }
    QString configFile() const; // <home>/.config/Quiller/Quiller.conf
    QString imageFolder() const { return home() + QStringLiteral("/images"); }
    QString interchangeFolder() const { return home() + QStringLiteral("/interchange"); }
    // Writes a settings file as an administrator would.
    void writeSettings(const QString& iniText) const;

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QByteArray oldConfigHome_;
    QByteArray oldHome_;
};

// Writes a file (binary, as given).
void WriteFile(const QString& path, const QByteArray& content);
QByteArray ReadFile(const QString& path);
// Runs statements on a SQLite file through a connection of its own (what another program
// sees): the rows' first values, "<null>" for null, "ERROR <statement>" for a refused one.
QStringList RunSql(const QString& file, const QStringList& statements);
// A path under tests/data.
QString DataFile(const QString& name);

} // namespace quiller::test
