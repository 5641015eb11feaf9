#include "station/verify/VerifySettings.h"

#include "settings/StationSettings.h"

#include <QCoreApplication>

namespace quiller {

VerifySettings ReadVerifySettings(const StationSettings& settings) {
    VerifySettings s;
    QStringList problems;
    const QString mode = settings.LabelCheckMode();
    const std::optional<FilingMode> chosen = filingModeFromSetting(mode);
    s.mode = chosen.value_or(FilingMode::Check);
    if (!mode.trimmed().isEmpty() && !chosen)
        problems << QCoreApplication::translate(
                        "VerifySettings",
                        "the label check mode \"%1\" is not off, check or require; "
                        "check is used")
                        .arg(mode);
    const QString pattern = settings.LabelPattern();
    if (!pattern.trimmed().isEmpty()) {
        if (const Checked<LabelPattern> p = LabelPattern::fromSetting(pattern); p.ok())
            s.pattern = p.value();
        else
            problems << QCoreApplication::translate(
                            "VerifySettings", "the label pattern is not usable (%1); the standard "
                                              "pattern is used")
                            .arg(p.why());
    }
    s.problem = problems.join(QStringLiteral("; "));
    return s;
}

} // namespace quiller
