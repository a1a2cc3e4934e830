// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
// The live host's edit queue: order, fullness, and a writer and a reader thread at
// once (also built with ThreadSanitizer).
#include "live/editqueue.h"

#include <gtest/gtest.h>

#include <thread>

namespace Brumvale::Host {
namespace {

TEST(EditQueue, KeepsOrderAndRefusesWhenFull)
{
    auto queue = std::make_unique<EditQueue>();
    EditQueue::Edit edit;
    EXPECT_FALSE(queue->pop(edit));
    // Around the ring several times, with a few edits waiting each time.
    Steinberg::Vst::ParamID next = 0, expected = 0;
    for (int round = 0; round < 3000; ++round)
    {
        for (int i = 0; i < 3; ++i, ++next)
            ASSERT_TRUE(queue->push({next, next * 0.5}));
        for (int i = 0; i < 3; ++i, ++expected)
        {
            ASSERT_TRUE(queue->pop(edit));
            EXPECT_EQ(edit.id, expected);
            EXPECT_EQ(edit.value, expected * 0.5);
        }
    }
    EXPECT_FALSE(queue->pop(edit));

    for (std::size_t i = 0; i < EditQueue::kCapacity; ++i)
        ASSERT_TRUE(queue->push({Steinberg::Vst::ParamID(i), 1.0}));
    EXPECT_FALSE(queue->push({7, 1.0}));
    EXPECT_EQ(queue->dropped(), 1u);
    // Taking one makes room for one.
    ASSERT_TRUE(queue->pop(edit));
    EXPECT_EQ(edit.id, 0u);
    EXPECT_TRUE(queue->push({8, 1.0}));
    EXPECT_FALSE(queue->push({9, 1.0}));
    EXPECT_EQ(queue->dropped(), 2u);
}

// Every edit the writer got in arrives once, in order, with its value; the reader
// sees none half written.
TEST(EditQueue, WriterAndReaderThreadsAtOnce)
{
    constexpr Steinberg::Vst::ParamID kEdits = 50000;
    auto queue = std::make_unique<EditQueue>();
    std::atomic<bool> writerDone{false};
    std::thread writer([&] {
        for (Steinberg::Vst::ParamID id = 0; id < kEdits;)
            if (queue->push({id, double(id) * 3.0}))
                ++id;
            else
                std::this_thread::yield();
        writerDone = true;
    });
    Steinberg::Vst::ParamID expected = 0;
    EditQueue::Edit edit;
    bool inOrder = true;
    while (expected < kEdits)
    {
        if (!queue->pop(edit))
        {
            std::this_thread::yield();
            continue;
        }
        inOrder = inOrder && edit.id == expected && edit.value == double(expected) * 3.0;
        ++expected;
    }
    writer.join();
    EXPECT_TRUE(inOrder);
    EXPECT_TRUE(writerDone);
    EXPECT_FALSE(queue->pop(edit));
}

} // namespace
} // namespace Brumvale::Host
