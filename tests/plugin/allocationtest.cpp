// Host-level test: process() allocates no heap memory. This program replaces the global
// allocation functions, which the loaded plug-in module also binds to, and counts the
// calls made between two markers.
// GPL-3.0-or-later.
#include "blockrunner.h"
#include "bundletest.h"

#include <pluginterfaces/vst/vstspeaker.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> counting{false};
std::atomic<long> allocations{0};

void* allocate(std::size_t size)
{
    if (counting.load(std::memory_order_relaxed))
        allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}

void deallocate(void* memory)
{
    if (memory && counting.load(std::memory_order_relaxed))
        allocations.fetch_add(1, std::memory_order_relaxed);
    std::free(memory);
}

} // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try
    {
        return allocate(size);
    }
    catch (...)
    {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    try
    {
        return allocate(size);
    }
    catch (...)
    {
        return nullptr;
    }
}
void operator delete(void* memory) noexcept { deallocate(memory); }
void operator delete[](void* memory) noexcept { deallocate(memory); }
void operator delete(void* memory, std::size_t) noexcept { deallocate(memory); }
void operator delete[](void* memory, std::size_t) noexcept { deallocate(memory); }

namespace Brumvale::Host {
namespace {

using namespace Steinberg;

class AllocationTest : public BundleTest
{
protected:
    static void begin()
    {
        allocations = 0;
        counting = true;
    }
    static long end()
    {
        counting = false;
        return allocations.load();
    }
};

// Without this the zero below could come from the plug-in not binding to our functions.
TEST_F(AllocationTest, CountsAllocationsInsideThePlugin)
{
    ClassInfo processorClass;
    ASSERT_TRUE(module().findClass(kVstAudioEffectClass, processorClass));
    void* object = nullptr;
    begin();
    const tresult created =
        module().factory()->createInstance(processorClass.cid, Vst::IComponent::iid, &object);
    const long counted = end();
    ASSERT_EQ(created, kResultOk);
    static_cast<Vst::IComponent*>(object)->release();
    EXPECT_GT(counted, 0);
}

TEST_F(AllocationTest, ProcessAllocatesNothing)
{
    auto instance = startedInstance();
    ASSERT_TRUE(instance);
    BlockRunner runner(instance->processor(), 2, 2, kMaxBlock);
    fillWithSine(runner.input());
    runner.run(kMaxBlock); // first call outside the markers: lazy set-up is allowed here

    begin();
    for (int32 block = 0; block < 200; ++block)
    {
        // Every parameter changes, the switches flip, and the block size varies.
        for (Vst::ParamID id = 0; id < 5; ++id)
            for (int32 point = 0; point < 8; ++point)
                runner.changes().addChange(id, point * 16, ((block + point + id) % 3) / 2.0);
        const int32 samples = block % 5 == 0 ? 1 : (block % 7 == 0 ? 333 : kMaxBlock);
        runner.prepare(samples);
        if (block % 11 == 0)
            runner.input().bus().silenceFlags = 0x3;
        runner.process();
        if (block % 13 == 0)
            runner.flush();
    }
    const long counted = end();
    EXPECT_EQ(counted, 0) << "heap calls during 200 process calls";
}

} // namespace
} // namespace Brumvale::Host
