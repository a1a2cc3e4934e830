// The live host's edit queue: order, fullness, and a writer and a reader thread at
// once (also built with ThreadSanitizer); the component handler that fills it.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "live/editqueue.h"
#include "live/editforwarder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
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

// What a controller hands the handler: values outside 0..1 arrive clamped, values
// that are not numbers not at all; a full queue is reported, not hidden.
TEST(EditForwarder, QueuesUsableValuesOnlyAndSaysWhenTheQueueIsFull)
{
    using namespace Steinberg;
    auto queue = std::make_unique<EditQueue>();
    auto forwarder = owned(new EditForwarder(*queue));
    const struct
    {
        Vst::ParamValue given;
        tresult answer;
        double queued; // -1: nothing
    } cases[] = {
        {0.25, kResultOk, 0.25},
        {1.5, kResultOk, 1.0},
        {-2.0, kResultOk, 0.0},
        {std::nan(""), kInvalidArgument, -1},
        {std::numeric_limits<double>::infinity(), kInvalidArgument, -1},
    };
    for (const auto& test : cases)
    {
        EXPECT_EQ(forwarder->performEdit(3, test.given), test.answer) << test.given;
        EditQueue::Edit edit;
        EXPECT_EQ(queue->pop(edit), test.queued >= 0) << test.given;
        if (test.queued >= 0)
        {
            EXPECT_EQ(edit.value, test.queued);
        }
    }
    EXPECT_EQ(forwarder->beginEdit(3), kResultOk);
    EXPECT_EQ(forwarder->endEdit(3), kResultOk);
    while (queue->push({0, 0.0}))
        ;
    EXPECT_EQ(forwarder->performEdit(4, 0.5), kResultFalse);
    EXPECT_EQ(forwarder->queryInterface(Vst::IComponentHandler::iid, nullptr), kInvalidArgument);
    void* other = &other;
    EXPECT_EQ(forwarder->queryInterface(Vst::IComponentHandler2::iid, &other), kNoInterface);
    EXPECT_EQ(other, nullptr);
}

} // namespace
} // namespace Brumvale::Host
