#pragma once

// The options of an open SANE device: finding them by name and setting the station's
// values (source, mode, resolution, frame, paper sensor, double-feed detection). Private
// to the scanner layer; every function here runs on a worker thread.

#include "scanner/SaneScanner.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <optional>
#include <sane/sane.h>

namespace quiller::sane {

// What the station asks of one acquisition.
struct ScanRequest {
    QByteArray device;
    quint64 generation = 0;
    int resolution = 0; // 0: leave the device's
    int pixelType = -1; // -1: leave the device's
    bool frameSet = false;
    ScannerControl::Frame frame;
    bool feeder = false;
    QList<QPair<QByteArray, QByteArray>> deviceOptions; // set last, by name, from text
};

using Capabilities = SaneCapabilities;

// How the settings were applied.
struct Applied {
    double dpi = 0;             // the resolution the device uses, 0 when unknown
    bool convertToGrey = false; // grey asked of a device without a grey mode
    bool doubleFeedOn = false;  // the device checks for double feeds
};

Capabilities ReadCapabilities(SANE_Handle h);
// The paper sensor's reading: 1 loaded, 0 not; 1 when there is no sensor.
int ReadSensor(SANE_Handle h, const QByteArray& sensorOption);
Applied Apply(SANE_Handle h, const ScanRequest& r);

// Single options (also used by the tests' device options).
bool SetString(SANE_Handle h, const char* name, const QByteArray& value);
bool SetNumber(SANE_Handle h, const char* name, double value, bool roundUp = false);
std::optional<double> GetNumber(SANE_Handle h, const char* name);
void SetFromText(SANE_Handle h, const QByteArray& name, const QByteArray& value);

} // namespace quiller::sane
