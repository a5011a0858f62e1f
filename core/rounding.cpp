#include <cmath>

#include "core/core.h"

// The default floating-point rounding mode is to nearest, ties to even.
int RoundToNearest(double value) {
    return static_cast<int>(std::nearbyint(value));
}
