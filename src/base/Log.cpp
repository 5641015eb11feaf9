#include "base/Log.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QStandardPaths>

namespace quiller {

Q_LOGGING_CATEGORY(lcIntake, "quiller.intake", QtInfoMsg)
Q_LOGGING_CATEGORY(lcScanner, "quiller.scanner", QtInfoMsg)
Q_LOGGING_CATEGORY(lcStorage, "quiller.storage", QtInfoMsg)
Q_LOGGING_CATEGORY(lcView, "quiller.view", QtInfoMsg)
Q_LOGGING_CATEGORY(lcSettings, "quiller.settings", QtInfoMsg)
Q_LOGGING_CATEGORY(lcOperator, "quiller.operator", QtInfoMsg)

namespace {

struct LogState {
    QMutex mutex;
    QString path;
    QString station;
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

constexpr QFile::Permissions kOwnerOnly = QFile::ReadOwner | QFile::WriteOwner;

void Handler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    LogState& s = State();
    {
        QMutexLocker lock(&s.mutex);
        if (QFileInfo(s.path).size() >= s.maxBytes)
            Rotate(s);
        QFile file(s.path);
        // The log names patients' prescriptions: a new file is the owner's alone.
        if (file.open(QIODevice::Append | QIODevice::Text, kOwnerOnly)) {
            const QString line =
                LogFile::FormatRecord(QDateTime::currentDateTime().toString(Qt::ISODateWithMs),
                                      type, context.category, s.station, message);
            file.write(line.toUtf8());
        }
    }
    if (s.previous)
        s.previous(type, context, message);
}

} // namespace

QString LogFile::EscapeValue(const QString& value) {
    QString out;
    out.reserve(value.size());
    for (const QChar c : value) {
        const char16_t u = c.unicode();
        if (u == u'\n')
            out += QStringLiteral("\\n");
        else if (u == u'\r')
            out += QStringLiteral("\\r");
        else if (u == u'\t')
            out += QStringLiteral("\\t");
        else if (u < 0x20 || (u >= 0x7f && u < 0xa0))
            out += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
        else if (u == 0x2028 || u == 0x2029)
            out += QStringLiteral("\\u{%1}").arg(u, 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

QString LogFile::FormatRecord(const QString& time, QtMsgType type, const char* category,
                              const QString& station, const QString& message) {
    return QStringLiteral("%1 %2 station %3 %4: %5\n")
        .arg(time, QLatin1String(LevelName(type)),
             station.isEmpty() ? QStringLiteral("-") : EscapeValue(station),
             EscapeValue(QString::fromUtf8(category ? category : "default")), EscapeValue(message));
}

void LogFile::SetStation(const QString& stationId) {
    LogState& s = State();
    QMutexLocker lock(&s.mutex);
    s.station = stationId.trimmed();
}

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
        // Files an earlier version left readable by others become the owner's alone.
        for (int n = 0; n <= keep; ++n) {
            const QString file = n == 0 ? path : path + QLatin1Char('.') + QString::number(n);
            constexpr QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup |
                                                  QFile::ExeGroup | QFile::ReadOther |
                                                  QFile::WriteOther | QFile::ExeOther;
            if (QFileInfo::exists(file) && (QFile::permissions(file) & others))
                QFile::setPermissions(file, kOwnerOnly);
        }
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
