#include "settings/StationSettings.h"

#include <algorithm>

namespace quiller {

namespace {

std::optional<int> WholeNumber(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// Placement values are twips; a stored value that is not a number gives its default.
double Twips(const SettingsStore& store, const QString& key, double fallback) {
    bool ok = false;
    const double value = store.Read(SettingsStore::Placement(), key).trimmed().toDouble(&ok);
    return ok ? value : fallback;
}

} // namespace

StationSettings::StationSettings() = default;
StationSettings::StationSettings(SettingsStore store) : store_(std::move(store)) {}

QString StationSettings::Setup(const QString& key) const {
    return store_.Read(SettingsStore::Setup(), key);
}

void StationSettings::SetSetup(const QString& key, const QString& value) {
    store_.Write(SettingsStore::Setup(), key, value);
}

QString StationSettings::ImageFolder() const {
    return Setup(QStringLiteral("dataPath"));
}

void StationSettings::SetImageFolder(const QString& folder) {
    SetSetup(QStringLiteral("dataPath"), folder);
}

QString StationSettings::InterchangeFolder() const {
    return Setup(QStringLiteral("filePath"));
}

void StationSettings::SetInterchangeFolder(const QString& folder) {
    SetSetup(QStringLiteral("filePath"), folder);
}

QString StationSettings::StationId() const {
    return Setup(QStringLiteral("ScannerID"));
}

void StationSettings::SetStationId(const QString& id) {
    SetSetup(QStringLiteral("ScannerID"), id);
}

QString StationSettings::ScannerDevice() const {
    return Setup(QStringLiteral("ScannerDevice"));
}

std::optional<int> StationSettings::ScannerPosition() const {
    const std::optional<int> position = WholeNumber(Setup(QStringLiteral("Scanner")));
    return position && *position >= 0 ? position : std::nullopt;
}

bool StationSettings::ScannerChosen() const {
    return !ScannerDevice().isEmpty() || !Setup(QStringLiteral("Scanner")).isEmpty();
}

void StationSettings::SetScanner(std::optional<int> position, const QString& device) {
    SetSetup(QStringLiteral("Scanner"), position ? QString::number(*position) : QString());
    SetSetup(QStringLiteral("ScannerDevice"), device);
}

void StationSettings::SetScannerPosition(int position) {
    SetSetup(QStringLiteral("Scanner"), QString::number(position));
}

std::optional<int> StationSettings::PaperWaitMinutes() const {
    const std::optional<int> minutes = WholeNumber(Setup(QStringLiteral("PaperWaitMinutes")));
    if (!minutes || *minutes < 1)
        return std::nullopt;
    return minutes;
}

QString StationSettings::PrintWidthText() const {
    return Setup(QStringLiteral("picWidth"));
}

QString StationSettings::PrintHeightText() const {
    return Setup(QStringLiteral("picHeight"));
}

void StationSettings::SetPrintSize(const QString& width, const QString& height) {
    SetSetup(QStringLiteral("picWidth"), width);
    SetSetup(QStringLiteral("picHeight"), height);
}

StationSettings::Placement StationSettings::MainPlacement() const {
    Placement p;
    p.stored = !store_.Read(SettingsStore::Placement(), QStringLiteral("MainWidth")).isEmpty();
    p.left = Twips(store_, QStringLiteral("MainLeft"), p.left);
    p.top = Twips(store_, QStringLiteral("MainTop"), p.top);
    p.width = Twips(store_, QStringLiteral("MainWidth"), p.width);
    p.height = Twips(store_, QStringLiteral("MainHeight"), p.height);
    return p;
}

void StationSettings::SetMainPlacement(const Placement& p) {
    const QString section = SettingsStore::Placement();
    store_.Write(section, QStringLiteral("MainLeft"), QString::number(p.left));
    store_.Write(section, QStringLiteral("MainTop"), QString::number(p.top));
    store_.Write(section, QStringLiteral("MainWidth"), QString::number(p.width));
    store_.Write(section, QStringLiteral("MainHeight"), QString::number(p.height));
}

QString StationSettings::LabelCheckMode() const {
    return store_.Read(SettingsStore::Verify(), SettingsStore::VerifyMode());
}

QString StationSettings::LabelPattern() const {
    return store_.Read(SettingsStore::Verify(), SettingsStore::VerifyPattern());
}

int StationSettings::AuditKeepYears() const {
    const std::optional<int> years =
        WholeNumber(store_.Read(QStringLiteral("audit"), QStringLiteral("KeepYears")));
    return years && *years >= 1 ? std::min(*years, 100) : kDefaultAuditYears;
}

DatabaseSettings StationSettings::Database() const {
    return DatabaseSettings::Read(store_);
}

} // namespace quiller
