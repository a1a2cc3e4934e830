// The parameters' defaults, their mapping between normalised values and decibels, and the
// parameter table and model made from them.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "processor/parameterdefaults.h"
#include "processor/parameterids.h"
#include "processor/parametermodel.h"
#include "processor/parametertable.h"

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

// The table and the model read the same record: a row that drifted from it would
// start a format or a preset elsewhere than the processor.
TEST(ParameterTable, AgreesWithTheRecordAndTheModel)
{
    const ParameterDefaults d;
    const ParameterModel start = ParameterModel::start(d);
    for (const ParameterDescription& row : kParameters)
    {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(start.normalized(row.id), row.normalized(row.start));
        ParameterModel model;
        for (const float n : {0.0f, 0.25f, 0.5f, 0.5000001f, 1.0f})
        {
            ASSERT_TRUE(model.set(row.id, n));
            if (row.kind == ParameterKind::kSwitch)
            {
                EXPECT_EQ(model.normalized(row.id), n > 0.5f ? 1.0f : 0.0f) << n;
                EXPECT_EQ(row.plain(n), n > 0.5f ? 1.0f : 0.0f) << n;
            }
            else
            {
                EXPECT_EQ(model.normalized(row.id), n);
                const float db =
                    row.id == kBoostId ? d.normalizedToBoostDb(n) : d.normalizedToVolumeDb(n);
                EXPECT_EQ(row.plain(n), db) << n;
                EXPECT_EQ(row.normalized(db), row.id == kBoostId ? d.boostDbToNormalized(db)
                                                                 : d.volumeDbToNormalized(db));
            }
        }
    }
    EXPECT_EQ(kParameters[kBoostId].maximum, 36.0f);
    EXPECT_EQ(kParameters[kVolumeId].minimum, -36.0f);
    ParameterModel model;
    EXPECT_FALSE(model.set(kNumParameters, 1.0f));
}

} // namespace
} // namespace Brumvale
