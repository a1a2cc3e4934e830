// The parameters' defaults, and their mapping between normalised values and decibels.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "processor/parameterdefaults.h"
#include "processor/parameterids.h"

#include <gtest/gtest.h>

namespace Brumvale {
namespace {

TEST(ParameterDefaults, StartsAtTheDocumentedValues)
{
    const ParameterDefaults defaults;
    EXPECT_EQ(defaults.bypass, 0);
    EXPECT_EQ(defaults.antiAlias, 0);
    EXPECT_EQ(defaults.warmth, 0);
    EXPECT_EQ(defaults.boostDb, 0.0f);
    EXPECT_EQ(defaults.volumeDb, 0.0f);
    EXPECT_EQ(defaults.boostDbToNormalized(defaults.boostDb), 0.0f);
    EXPECT_EQ(defaults.volumeDbToNormalized(defaults.volumeDb), 1.0f);
    EXPECT_EQ(kBypassId + kAntiAliasId + kWarmthId, 3u);
    EXPECT_EQ(kBoostId, 3u);
    EXPECT_EQ(kVolumeId, 4u);
}

TEST(ParameterDefaults, MapsNormalisedValuesToDecibelsAndBack)
{
    const ParameterDefaults d;
    EXPECT_EQ(d.normalizedToBoostDb(0.0f), 0.0f);
    EXPECT_EQ(d.normalizedToVolumeDb(0.0f), -36.0f);
    EXPECT_EQ(d.normalizedToBoostDb(1.0f), 36.0f);
    EXPECT_EQ(d.normalizedToVolumeDb(1.0f), 0.0f);
    EXPECT_EQ(d.normalizedToBoostDb(0.5f), 18.0f);
    EXPECT_EQ(d.normalizedToVolumeDb(0.5f), -18.0f);
    EXPECT_EQ(d.boostDbToNormalized(18.0f), 0.5f);
    EXPECT_EQ(d.volumeDbToNormalized(-18.0f), 0.5f);
    // The result is the float nearest the exact line: 36 * 0.1f worked in double.
    EXPECT_EQ(d.normalizedToBoostDb(0.1f), float(36.0 * double(0.1f)));
}

TEST(ParameterDefaults, DoesNotClamp)
{
    const ParameterDefaults d;
    EXPECT_EQ(d.normalizedToBoostDb(1.5f), 54.0f);
    EXPECT_EQ(d.normalizedToVolumeDb(-0.5f), -54.0f);
    EXPECT_NEAR(d.volumeDbToNormalized(6.0f), 1.1666666f, 1e-6f);
    EXPECT_LT(d.boostDbToNormalized(-6.0f), 0.0f);
}

} // namespace
} // namespace Brumvale
