#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class QSettings;

namespace quiller {

// The per-user settings: text values addressed by section and key. Keys are matched
// without regard to case, on read and on write (a write replaces a key that is spelled
// differently). A value that exists but is empty reads exactly like a missing one.
//
// The store is the INI file <config home>/Quiller/Quiller.conf with the groups [setup]
// and [Settings]; an administrator can pre-configure a station by writing it. Values are
// read literally (backslashes and commas are part of the value), section names are matched
// without regard to case as keys are.
class SettingsStore {
public:
    SettingsStore();                                // the user's store
    explicit SettingsStore(const QString& iniFile); // a given INI file (tools, tests)
    ~SettingsStore();

    QString Read(const QString& section, const QString& key,
                 const QString& defaultValue = QString()) const;
    void Write(const QString& section, const QString& key, const QString& value);

    // Where the values live, for messages and the README.
    QString Location() const;

    // Section names.
    static QString Setup() { return QStringLiteral("setup"); }
    static QString Placement() { return QStringLiteral("Settings"); }

private:
    QStringList FindKeys(const QString& section, const QString& key) const;
    std::unique_ptr<QSettings> settings_;
};

} // namespace quiller
