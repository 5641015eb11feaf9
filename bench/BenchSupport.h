#pragma once
// What every quiller-bench command shares: the station context of the run, the figure
// printer, the command line and small fixtures.
#include "base/Error.h"
#include "base/MessageBoxes.h"
#include "records/Database.h"
#include "records/DatabaseCopy.h"
#include "station/StationContext.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTextStream>
#include <QTreeWidget>
#include <algorithm>
#include <memory>
#include <vector>

namespace quiller::bench {

// The benchmark's station context: one per run, like the program's.
inline StationContext& Context() {
    static StationContext context;
    return context;
}

inline QTextStream& Out() {
    static QTextStream out(stdout);
    return out;
}
inline QTextStream& Err() {
    static QTextStream err(stderr);
    return err;
}

inline void Figure(const char* name, const QString& value) {
    Out() << name << '=' << value << Qt::endl;
}
inline void Figure(const char* name, double value, int decimals = 2) {
    Figure(name, QString::number(value, 'f', decimals));
}
inline void Figure(const char* name, qint64 value) {
    Figure(name, QString::number(value));
}

inline double Ms(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) / 1.0e6;
}

inline double Median(std::vector<double> v) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// The command line: "--name value" options after the command.
class Args {
public:
    explicit Args(const QStringList& args) : args_(args) {}
    QString Value(const QString& name, const QString& fallback = QString()) const {
        const qsizetype at = args_.indexOf(name);
        return at >= 0 && at + 1 < args_.size() ? args_.at(at + 1) : fallback;
    }
    bool Has(const QString& name) const { return args_.contains(name); }
    qint64 Number(const QString& name, qint64 fallback) const {
        bool ok = false;
        const qint64 n = Value(name).toLongLong(&ok);
        return ok ? n : fallback;
    }
    QString Required(const QString& name) const {
        const QString v = Value(name);
        if (v.isEmpty())
            throw QStringLiteral("missing %1").arg(name);
        return v;
    }

private:
    QStringList args_;
};

// Kilobytes of a line of /proc/self/status ("VmHWM", "VmRSS").
inline double StatusMb(const char* key) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = QByteArray(key) + ':';
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}

// The status line the tick and the storage write to.
class StatusLine : public MainWindowPort {
public:
    void SetStatusText(const QString& text) override { text_ = text; }
    QString StatusText() const override { return text_; }

private:
    QString text_;
};

// Message boxes are answered with their default button and told on stderr, so that a
// refused line or a failed store shows up in the run.
inline void AnswerBoxesOnStderr() {
    MessageBoxes::SetResponder([](const MessageBoxRequest& r) {
        Err() << "message box: "
              << QString(r.text).replace(QLatin1String("\r\n"), QLatin1String(" | ")) << Qt::endl;
        return r.defaultButton;
    });
}

// A database file, or a server database given as postgresql://user@host:port/name.
inline bool IsServer(const QString& path) {
    return path.startsWith(QLatin1String("postgresql://"));
}

inline void OpenDatabase(const QString& path) {
    if (!IsServer(path) && !QFileInfo::exists(path))
        throw QStringLiteral("no database %1").arg(path);
    Context().DbConnection = std::make_unique<Database>();
    try {
        if (IsServer(path))
            Context().DbConnection->OpenServer(ParseServerUri(path));
        else
            Context().DbConnection->OpenFile(path);
    } catch (const QuillerError& e) {
        throw QStringLiteral("cannot open %1: %2").arg(path, e.description());
    }
}

inline QTreeWidget* MakeListView1(QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QStringLiteral("ListView1"));
    list->setColumnCount(4);
    list->setHeaderLabels({QStringLiteral("Rx Number"), QStringLiteral("Date"),
                           QStringLiteral("Drug Name"), QStringLiteral("Patient")});
    list->setRootIsDecorated(false);
    return list;
}

// ---------------------------------------------------------------------------------

// The commands, one file each group (BenchData, BenchIntake, BenchSearch, BenchStore,
// BenchStartup, BenchVerify).
int GenDb(const Args& a);
int GenDataFile(const Args& a);
int GenPage(const Args& a);
int GenFolder(const Args& a);
int IntakeSql(const Args& a);
int Intake(const Args& a);
int Poll(const Args& a);
int Search(const Args& a);
int Store(const Args& a);
int Buffer(const Args& a);
int StartupChild(int argc, char** argv, const Args& a);
int Startup(const Args& a, const QString& self);
int Verify(const Args& a);
int VerifyBatch(const Args& a);

} // namespace quiller::bench
