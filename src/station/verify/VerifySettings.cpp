#include "station/verify/VerifySettings.h"

#include "settings/SettingsStore.h"
#include <QCoreApplication>

namespace quiller {

VerifySettings ReadVerifySettings(const SettingsStore& store) {
    VerifySettings s;
    QStringList problems;
    const QString mode = store.Read(SettingsStore::Verify(), SettingsStore::VerifyMode());
    bool ok = true;
    s.mode = filingModeFromSetting(mode, &ok);
    if (!mode.trimmed().isEmpty() && !ok)
        problems << QCoreApplication::translate(
                        "VerifySettings",
                        "the label check mode \"%1\" is not off, check or require; "
                        "check is used")
                        .arg(mode);
    const QString pattern = store.Read(SettingsStore::Verify(), SettingsStore::VerifyPattern());
    if (!pattern.trimmed().isEmpty()) {
        QString error;
        if (const std::optional<LabelPattern> p = LabelPattern::fromSetting(pattern, &error))
            s.pattern = *p;
        else
            problems << QCoreApplication::translate(
                            "VerifySettings", "the label pattern is not usable (%1); the standard "
                                              "pattern is used")
                            .arg(error);
    }
    s.problem = problems.join(QStringLiteral("; "));
    return s;
}

} // namespace quiller
