#include "settings/SettingsStore.h"

#include "app/Error.h"

#include <QSettings>

namespace quiller {

SettingsStore::SettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                            QStringLiteral("Quiller"), QStringLiteral("Quiller"))) {}

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

QString SettingsStore::Location() const { return settings_->fileName(); }

} // namespace quiller
