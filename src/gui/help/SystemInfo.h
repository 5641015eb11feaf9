#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace quiller {

// Finds and starts the platform's system-information tool for the About box's
// "System Info..." button.
//
// On Windows the tool is found through the registry: the value "PATH" of
// HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Shared Tools\MSINFO, else the folder in the value
// "MSINFO" of ...\Shared Tools Location followed by "\MSINFO32.EXE" when that file exists.
// Elsewhere the first of a short list of known system-information programs found on a
// search path (by default the PATH environment variable) is used.
//
// Every platform piece is replaceable so both lookups and the failure message can be
// exercised without starting a real program.
class SystemInfoTool {
public:
    // Reads a text value under HKEY_LOCAL_MACHINE: (key path, value name) -> value, or
    // nothing when the key or value cannot be read.
    using RegistryReader =
        std::function<std::optional<QString>(const QString& keyPath, const QString& valueName)>;
    using FileExists = std::function<bool(const QString& path)>;
    // Starts a program detached from the station; false when it could not be started.
    using Starter = std::function<bool(const QString& program)>;

    static constexpr const char* kUnavailableMessage =
        QT_TRANSLATE_NOOP("SystemInfoTool", "System Information Is Unavailable At This Time");

    SystemInfoTool();

    // The known programs tried on the search path, in order.
    static QStringList KnownPrograms();
    // The directories of the PATH environment variable.
    static QStringList EnvironmentSearchPath();

    void SetSearchPath(const QStringList& dirs) { searchPath_ = dirs; }
    const QStringList& SearchPath() const { return searchPath_; }
    void SetRegistryReader(RegistryReader reader) { registry_ = std::move(reader); }
    void SetFileExists(FileExists exists) { fileExists_ = std::move(exists); }
    void SetStarter(Starter starter) { starter_ = std::move(starter); }
    // Chooses the registry lookup (true, the default on Windows) or the search-path
    // lookup (false, the default elsewhere).
    void SetUseRegistry(bool useRegistry) { useRegistry_ = useRegistry; }

    // The registry lookup alone.
    std::optional<QString> LocateInRegistry() const;
    // The search-path lookup alone: the known programs are tried in order, each looked
    // up through the search directories in order (as a shell would); the first one that
    // is an executable file wins.
    std::optional<QString> LocateOnSearchPath() const;
    // The platform's lookup.
    std::optional<QString> Locate() const;

    // Finds and starts the tool. When none is found or it cannot be started, shows
    // "System Information Is Unavailable At This Time" (OK only) and returns false.
    bool Start() const;

private:
    QStringList searchPath_;
    RegistryReader registry_;
    FileExists fileExists_;
    Starter starter_;
    bool useRegistry_;
};

} // namespace quiller
