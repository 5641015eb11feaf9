#pragma once

#include <QString>
#include <QStringList>

namespace quiller {

// Picking among the strings a scanner offers for its sources and modes. Backends name
// them differently ("ADF Front", "Automatic Document Feeder(left aligned)", "True Gray"),
// so the choice goes by what a name says, compared without regard to case.

// The simplex feeder source: the first naming a feeder ("ADF", "Document Feeder") that
// names neither "Duplex" nor "Back" (a duplex source gives two images per sheet). Empty
// when the device has no such source.
QString FeederSource(const QStringList& sources);

// The flatbed source ("Flatbed", "FlatBed", "Platen", avision's "Normal"); empty if none.
QString FlatbedSource(const QStringList& sources);

// The mode for a pixel type (0 black and white, 1 grey, 2 colour). Grey skips dithered
// modes ("Gray[Error Diffusion]" is black and white). Without a grey mode, grey is scanned
// in colour and converted (ScanMode::convertToGrey). Empty mode: leave the device's.
struct ScanMode {
    QString mode;
    bool convertToGrey = false;
};
ScanMode ModeFor(int pixelType, const QStringList& modes);

} // namespace quiller
