// The latest-value mailbox: the last value handed over once, and never torn while a writer runs.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "processor/latestvalue.h"

#include <gtest/gtest.h>

#include <thread>

namespace Brumvale {
namespace {

// A value whose halves must always agree: a torn copy shows.
struct Pair
{
    long first = 0;
    long second = 0;
};

TEST(LatestValue, HandsOverTheLastValueOnce)
{
    LatestValue<Pair> mailbox;
    Pair value;
    EXPECT_FALSE(mailbox.read(value));
    mailbox.write({1, 1});
    mailbox.write({2, 2});
    ASSERT_TRUE(mailbox.read(value));
    EXPECT_EQ(value.first, 2);
    EXPECT_FALSE(mailbox.read(value)) << "nothing new";
    mailbox.write({3, 3});
    ASSERT_TRUE(mailbox.read(value));
    EXPECT_EQ(value.second, 3);
}

TEST(LatestValue, ReaderSeesWholeValuesInOrderWhileTheWriterRuns)
{
    LatestValue<Pair> mailbox;
    constexpr long kLast = 200000;
    std::thread writer([&] {
        for (long i = 1; i <= kLast; ++i)
            mailbox.write({i, -i});
    });
    long seen = 0;
    Pair value;
    while (seen < kLast)
    {
        if (!mailbox.read(value))
            continue;
        ASSERT_EQ(value.second, -value.first) << "torn value";
        ASSERT_GT(value.first, seen) << "values must arrive in order, each once";
        seen = value.first;
    }
    writer.join();
    EXPECT_EQ(seen, kLast);
}

} // namespace
} // namespace Brumvale
