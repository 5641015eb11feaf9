#include "base/Log.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QStandardPaths>

namespace quiller {

Q_LOGGING_CATEGORY(lcIntake, "quiller.intake")
Q_LOGGING_CATEGORY(lcScanner, "quiller.scanner")
Q_LOGGING_CATEGORY(lcStorage, "quiller.storage")
Q_LOGGING_CATEGORY(lcView, "quiller.view")
Q_LOGGING_CATEGORY(lcSettings, "quiller.settings")
Q_LOGGING_CATEGORY(lcOperator, "quiller.operator")

namespace {

struct LogState {
    QMutex mutex;
    QString path;
    qint64 maxBytes = 0;
    int keep = 0;
    QtMessageHandler previous = nullptr;
    bool installed = false;
};

LogState& State() {
    static LogState state;
    return state;
}

const char* LevelName(QtMsgType type) {
    switch (type) {
    case QtDebugMsg:
        return "debug";
    case QtInfoMsg:
        return "info";
    case QtWarningMsg:
        return "warning";
    case QtCriticalMsg:
        return "critical";
    case QtFatalMsg:
        return "fatal";
    }
    return "?";
}

// quiller.log -> quiller.log.1 -> ... -> quiller.log.<keep>; the last one is dropped.
void Rotate(const LogState& s) {
    QFile::remove(s.path + QLatin1Char('.') + QString::number(s.keep));
    for (int n = s.keep - 1; n >= 1; --n)
        QFile::rename(s.path + QLatin1Char('.') + QString::number(n),
                      s.path + QLatin1Char('.') + QString::number(n + 1));
    if (s.keep > 0)
        QFile::rename(s.path, s.path + QStringLiteral(".1"));
    else
        QFile::remove(s.path);
}

void Handler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    LogState& s = State();
    {
        QMutexLocker lock(&s.mutex);
        if (QFileInfo(s.path).size() >= s.maxBytes)
            Rotate(s);
        QFile file(s.path);
        if (file.open(QIODevice::Append | QIODevice::Text)) {
            const QString line =
                QStringLiteral("%1 %2 %3: %4\n")
                    .arg(QDateTime::currentDateTime().toString(Qt::ISODateWithMs),
                         QLatin1String(LevelName(type)),
                         QLatin1String(context.category ? context.category : "default"), message);
            file.write(line.toUtf8());
        }
    }
    if (s.previous)
        s.previous(type, context, message);
}

} // namespace

QString LogFile::DefaultPath() {
    // QStandardPaths gives the state folder only from Qt 6.7 on.
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/Quiller/quiller.log");
}

void LogFile::Install(const QString& path, qint64 maxBytes, int keep) {
    LogState& s = State();
    QDir().mkpath(QFileInfo(path).absolutePath());
    {
        QMutexLocker lock(&s.mutex);
        s.path = path;
        s.maxBytes = maxBytes;
        s.keep = keep;
    }
    if (!s.installed) {
        s.previous = qInstallMessageHandler(Handler);
        s.installed = true;
    }
}

void LogFile::Uninstall() {
    LogState& s = State();
    if (!s.installed)
        return;
    qInstallMessageHandler(s.previous);
    s.previous = nullptr;
    s.installed = false;
    QMutexLocker lock(&s.mutex);
    s.path.clear();
}

QString LogFile::CurrentPath() {
    LogState& s = State();
    QMutexLocker lock(&s.mutex);
    return s.installed ? s.path : QString();
}

} // namespace quiller
