#include "settings/SettingsStore.h"

#include "app/Error.h"

#include <QDir>
#include <QSettings>

namespace quiller {

namespace {
// The user's INI file, looked up at every construction (QSettings' own default paths
// are fixed once per process, and tests give every case a home of its own).
std::unique_ptr<QSettings> UserSettings() {
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("Quiller"), QStringLiteral("Quiller"));
#else
    QString configHome = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
    if (configHome.isEmpty())
        configHome = QDir::homePath() + QStringLiteral("/.config");
    return std::make_unique<QSettings>(configHome + QStringLiteral("/Quiller/Quiller.conf"),
                                       QSettings::IniFormat);
#endif
}
} // namespace

SettingsStore::SettingsStore() : settings_(UserSettings()) {}

SettingsStore::SettingsStore(const QString& iniFile)
    : settings_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::FindKey(const QString& section, const QString& key) const {
    settings_->beginGroup(section);
    const QStringList keys = settings_->childKeys();
    settings_->endGroup();
    for (const QString& k : keys) {
        if (k.compare(key, Qt::CaseInsensitive) == 0)
            return k;
    }
    return QString();
}

QString SettingsStore::Read(const QString& section, const QString& key,
                            const QString& defaultValue) const {
    const QString stored = FindKey(section, key);
    if (stored.isEmpty())
        return defaultValue;
    const QString value = settings_->value(section + QLatin1Char('/') + stored).toString();
    // An empty value counts as missing: the callers cannot tell the two apart.
    return value.isEmpty() ? defaultValue : value;
}

void SettingsStore::Write(const QString& section, const QString& key, const QString& value) {
    // Drop every spelling of the key before writing, so one value remains.
    settings_->beginGroup(section);
    const QStringList keys = settings_->childKeys();
    for (const QString& k : keys) {
        if (k.compare(key, Qt::CaseInsensitive) == 0)
            settings_->remove(k);
    }
    settings_->setValue(key, value);
    settings_->endGroup();
    settings_->sync();
    if (settings_->status() != QSettings::NoError)
        throw QuillerError(kErrorBadSetting,
                           QStringLiteral("The setting %1 could not be written to %2")
                               .arg(key, settings_->fileName()),
                           QStringLiteral("SettingsStore.Write"));
}

QString SettingsStore::Location() const {
    return settings_->fileName();
}

} // namespace quiller
