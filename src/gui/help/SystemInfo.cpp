#include "gui/help/SystemInfo.h"

#include "base/MessageBoxes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#ifdef Q_OS_WIN
#include <QSettings>
#endif

namespace quiller {

namespace {

std::optional<QString> ReadLocalMachineValue([[maybe_unused]] const QString& keyPath,
                                             [[maybe_unused]] const QString& valueName) {
#ifdef Q_OS_WIN
    QSettings key(QStringLiteral("HKEY_LOCAL_MACHINE\\") + keyPath, QSettings::NativeFormat);
    if (key.status() != QSettings::NoError || !key.contains(valueName))
        return std::nullopt;
    // Text values come back as they are; a number value as its decimal text.
    return key.value(valueName).toString();
#else
    return std::nullopt;
#endif
}

bool IsExecutableFile(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

} // namespace

SystemInfoTool::SystemInfoTool()
    : searchPath_(EnvironmentSearchPath()), registry_(&ReadLocalMachineValue),
      fileExists_([](const QString& path) { return QFileInfo(path).isFile(); }),
      starter_([](const QString& program) { return QProcess::startDetached(program, {}); }),
#ifdef Q_OS_WIN
      useRegistry_(true)
#else
      useRegistry_(false)
#endif
{
}

QStringList SystemInfoTool::KnownPrograms() {
    // Desktop tools that show the machine's hardware and system summary.
    return {QStringLiteral("hardinfo2"), QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"),
            QStringLiteral("gnome-system-monitor")};
}

QStringList SystemInfoTool::EnvironmentSearchPath() {
    QStringList dirs;
    for (const QString& dir :
         qEnvironmentVariable("PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts))
        dirs << dir;
    return dirs;
}

std::optional<QString> SystemInfoTool::LocateInRegistry() const {
    if (!registry_)
        return std::nullopt;
    // An empty value names no program: treat it as unreadable and try the second key.
    const std::optional<QString> path = registry_(
        QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"), QStringLiteral("PATH"));
    if (path && !path->isEmpty())
        return path;

    std::optional<QString> folder = registry_(
        QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"), QStringLiteral("MSINFO"));
    if (!folder || folder->isEmpty())
        return std::nullopt;
    while (folder->endsWith(QLatin1Char('\\')) || folder->endsWith(QLatin1Char('/')))
        folder->chop(1);
    const QString candidate = *folder + QStringLiteral("\\MSINFO32.EXE");
    if (fileExists_ && fileExists_(candidate))
        return candidate;
    return std::nullopt;
}

std::optional<QString> SystemInfoTool::LocateOnSearchPath() const {
    for (const QString& program : KnownPrograms()) {
        for (const QString& dir : searchPath_) {
            // A relative entry ("." or empty) would run whatever lies in the current
            // folder under a trusted name: only absolute folders count.
            if (QDir::isRelativePath(dir))
                continue;
            const QString candidate = QDir(dir).absoluteFilePath(program);
            if (IsExecutableFile(candidate))
                return candidate;
        }
    }
    return std::nullopt;
}

std::optional<QString> SystemInfoTool::Locate() const {
    return useRegistry_ ? LocateInRegistry() : LocateOnSearchPath();
}

bool SystemInfoTool::Start() const {
    const std::optional<QString> program = Locate();
    if (program && starter_ && starter_(*program))
        return true;
    MessageBoxes::Show(QCoreApplication::translate("SystemInfoTool", kUnavailableMessage),
                       MsgIcon::NoIcon, MsgButtons::Ok, MsgAnswer::Ok);
    return false;
}

} // namespace quiller
