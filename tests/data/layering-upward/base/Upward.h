#pragma once

// A base header that reaches up into the station layer: the layering check must refuse it.
#include "station/StationContext.h"
