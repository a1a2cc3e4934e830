// The five parameters' initial values and decibel ranges, and their normalised mappings.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace Brumvale {

// Initial values and decibel ranges of the five parameters, with the linear
// mappings between normalised values and decibels. Every user builds its own
// instance; nothing writes to it after construction. The mappings do not clamp:
// values outside 0..1 map outside the decibel range and back.
struct ParameterDefaults
{
    uint8_t bypass = 0;
    uint8_t antiAlias = 0;
    uint8_t warmth = 0;
    float boostDb = 0.0f;
    float volumeDb = 0.0f;
    float boostRangeDb = 36.0f;
    float boostMinDb = 0.0f;
    float volumeRangeDb = 36.0f;
    float volumeMinDb = -36.0f;

    float normalizedToBoostDb(float normalized) const
    {
        return toDb(normalized, boostRangeDb, boostMinDb);
    }
    float normalizedToVolumeDb(float normalized) const
    {
        return toDb(normalized, volumeRangeDb, volumeMinDb);
    }
    float boostDbToNormalized(float db) const { return toNormalized(db, boostRangeDb, boostMinDb); }
    float volumeDbToNormalized(float db) const
    {
        return toNormalized(db, volumeRangeDb, volumeMinDb);
    }

private:
    // Worked in double and rounded once, so the result is the float nearest the
    // exact line.
    static float toDb(float normalized, float range, float minimum)
    {
        return static_cast<float>(double(range) * normalized + minimum);
    }
    static float toNormalized(float db, float range, float minimum)
    {
        return static_cast<float>((double(db) - minimum) / range);
    }
};

} // namespace Brumvale
