#pragma once

#include "settings/DatabaseSettings.h"
#include "settings/SettingsStore.h"

#include <QString>
#include <optional>

namespace quiller {

// The station's settings by name and type: every value the program reads or writes goes
// through here, so a key is spelled in one place and a value that does not parse gives
// its default instead of reaching the code that uses it. Values live in SettingsStore
// (the INI file; an administrator may write it), in the groups:
//
//   [setup]     dataPath, filePath, ScannerID, Scanner, ScannerDevice, PaperWaitMinutes,
//               picWidth, picHeight
//   [Settings]  MainLeft, MainTop, MainWidth, MainHeight (the main window, in twips)
//   [verify]    mode, pattern
//   [audit]     KeepYears
//   [database]  see DatabaseSettings
class StationSettings {
public:
    StationSettings();                             // the user's store (or the chosen file)
    explicit StationSettings(SettingsStore store); // a given store (tools, tests)

    // Where images and the station's database live; where data files arrive; the
    // station's one-character identity in data file names.
    QString ImageFolder() const;
    void SetImageFolder(const QString& folder);
    QString InterchangeFolder() const;
    void SetInterchangeFolder(const QString& folder);
    QString StationId() const;
    void SetStationId(const QString& id);

    // The scanner: its SANE device name (which wins) and, for older settings, its place
    // in the list. No position when none is stored or the text is not a number from 0.
    QString ScannerDevice() const;
    std::optional<int> ScannerPosition() const;
    // Whether any scanner was ever chosen (device or position, even one unreadable).
    bool ScannerChosen() const;
    // No position clears it.
    void SetScanner(std::optional<int> position, const QString& device);
    void SetScannerPosition(int position);

    // How long a batch waits for paper in the feeder before it reports what is missing.
    // No value when none is stored or it is not a whole number of minutes from 1; the
    // station then waits kDefaultPaperWaitMinutes.
    static constexpr int kDefaultPaperWaitMinutes = 10;
    std::optional<int> PaperWaitMinutes() const;

    // The printed size of an enlarged picture, as the operator typed it (checked where
    // it is printed); empty when never set.
    QString PrintWidthText() const;
    QString PrintHeightText() const;
    void SetPrintSize(const QString& width, const QString& height);

    // The main window's place and size in twips; Stored is false before the first save.
    struct Placement {
        double left = 1000;
        double top = 1000;
        double width = 6500;
        double height = 6500;
        bool stored = false;
    };
    Placement MainPlacement() const;
    void SetMainPlacement(const Placement& p);

    // Reading labels: the mode and pattern as written (interpreted by the label reader,
    // which tells what it cannot use); empty when not set.
    QString LabelCheckMode() const;
    QString LabelPattern() const;

    // Years the audit trail is kept: 1 to 100, 7 when not set or not a number.
    static constexpr int kDefaultAuditYears = 7;
    int AuditKeepYears() const;

    // Throws QuillerError (kErrorBadSetting) as DatabaseSettings::Read does.
    DatabaseSettings Database() const;

    const SettingsStore& Store() const { return store_; }
    QString Location() const { return store_.Location(); }

private:
    QString Setup(const QString& key) const;
    void SetSetup(const QString& key, const QString& value);

    SettingsStore store_;
};

} // namespace quiller
