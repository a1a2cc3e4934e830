// The host's run loop catching up with its views: input read and every timer called.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "linux/runloop.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace Brumvale::Host {
namespace {

using namespace Steinberg;

// Reads one byte per call when asked to; counts its calls. Lives on the test's stack.
class Reader : public Host::OwnedObject<Linux::IEventHandler>
{
public:
    explicit Reader(bool reads) : reads(reads) {}
    void PLUGIN_API onFDIsSet(Linux::FileDescriptor fd) override
    {
        char byte = 0;
        if (reads && read(fd, &byte, 1) == 1)
            ++bytes;
    }

    const bool reads;
    int bytes = 0;
};

class Ticker : public Host::OwnedObject<Linux::ITimerHandler>
{
public:
    void PLUGIN_API onTimer() override { ++ticks; }

    int ticks = 0;
};

TEST(RunLoopTest, CatchingUpMeansInputReadAndEveryTimerCalled)
{
    IPtr<RunLoop> loop = owned(new RunLoop);
    EXPECT_TRUE(loop->runUntilCaughtUp(0)) << "nothing registered: caught up at once";

    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    Reader reader(true);
    Ticker fast, slow;
    ASSERT_EQ(loop->registerEventHandler(&reader, ends[0]), kResultOk);
    ASSERT_EQ(loop->registerTimer(&fast, 1), kResultOk);
    ASSERT_EQ(loop->registerTimer(&slow, 50), kResultOk);
    ASSERT_EQ(write(ends[1], "abc", 3), 3);
    EXPECT_TRUE(loop->runUntilCaughtUp(30000));
    EXPECT_EQ(reader.bytes, 3);
    EXPECT_GE(slow.ticks, 1);
    EXPECT_GE(fast.ticks, 1);

    // A timer no longer registered is not waited for.
    const int ticks = slow.ticks;
    ASSERT_EQ(loop->unregisterTimer(&slow), kResultOk);
    EXPECT_TRUE(loop->runUntilCaughtUp(30000));
    EXPECT_EQ(slow.ticks, ticks);

    // Input nobody reads keeps the loop from catching up.
    Reader deaf(false);
    ASSERT_EQ(loop->unregisterEventHandler(&reader), kResultOk);
    ASSERT_EQ(loop->registerEventHandler(&deaf, ends[0]), kResultOk);
    ASSERT_EQ(write(ends[1], "d", 1), 1);
    EXPECT_FALSE(loop->runUntilCaughtUp(50));
    EXPECT_EQ(loop->unregisterEventHandler(&deaf), kResultOk);
    EXPECT_EQ(loop->unregisterTimer(&fast), kResultOk);
    close(ends[0]);
    close(ends[1]);
}

} // namespace
} // namespace Brumvale::Host
