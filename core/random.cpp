#include "core/core.h"

int Random::RandomUpTo(int max) {
    return std::uniform_int_distribution<int>(0, max)(engine_);
}
