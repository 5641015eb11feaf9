#pragma once

#include "station/verify/LabelPattern.h"
#include "station/verify/PageFiling.h"

namespace quiller {

class StationSettings;

// The [verify] settings as an acquisition uses them.
struct VerifySettings {
    FilingMode mode = FilingMode::Check;
    LabelPattern pattern;
    // What was wrong with the settings, in words for the operator (the default was used
    // instead); empty when they were sound.
    QString problem;
};

VerifySettings ReadVerifySettings(const StationSettings& settings);

} // namespace quiller
