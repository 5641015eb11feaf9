#pragma once

#include <QString>
#include <QStringList>

namespace quiller {

// The per-user settings: text values addressed by section and key. Keys are matched
// without regard to case, on read and on write (a write replaces a key that is spelled
// differently). A value that exists but is empty reads exactly like a missing one.
//
// The store is the INI file <config home>/Quiller/Quiller.conf with the groups [setup],
// [Settings] and [verify]; an administrator can pre-configure a station by writing it. Values are
// read literally (backslashes and commas are part of the value), section names are matched
// without regard to case as keys are. A write changes only the line of its key: comments,
// blank lines and keys the program does not know stay as the administrator wrote them,
// and a write of the value already stored leaves the file alone.
//
// A key with no value in the user's file is looked up in the system-wide files
// Quiller/Quiller.conf of the configuration folders ($XDG_CONFIG_DIRS, /etc/xdg by
// default), which pre-configure every station of a machine; they are never written.
class SettingsStore {
public:
    SettingsStore();                                // the user's store (or the chosen file)
    explicit SettingsStore(const QString& iniFile); // a given INI file (tools, tests)
    ~SettingsStore();

    QString Read(const QString& section, const QString& key,
                 const QString& defaultValue = QString()) const;
    void Write(const QString& section, const QString& key, const QString& value);
    // The keys a section holds with a value, in the user's file and the system-wide ones,
    // each once (lower case), so that a misspelt key can be named.
    QStringList Keys(const QString& section) const;

    // Where the values live, for messages and the README.
    QString Location() const;

    // Makes the default constructor use another file (the command line's --config);
    // an empty path goes back to the user's file.
    static void UseFile(const QString& iniFile);
    // The user's file, or the chosen one.
    static QString DefaultLocation();
    // The system-wide files, the first one found winning.
    static QStringList SystemLocations();

    // Section names.
    static QString Setup() { return QStringLiteral("setup"); }
    static QString Placement() { return QStringLiteral("Settings"); }
    // [verify]: reading the label on every page. "mode" is off, check (the default) or
    // require; "pattern" is the regular expression a label is read with (named groups
    // rx and refill).
    static QString Verify() { return QStringLiteral("verify"); }
    static QString VerifyMode() { return QStringLiteral("mode"); }
    static QString VerifyPattern() { return QStringLiteral("pattern"); }

private:
    QString file_;
};

} // namespace quiller
