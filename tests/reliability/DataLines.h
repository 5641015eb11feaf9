#pragma once
// The data-line builder lives with the other shared fixtures.
#include "common/DataLines.h"
