// Fuzz target: the processor's and the controller's state readers, with
// arbitrary bytes and with streams that fail or come up short at any point.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzzcheck.h"

#include "controller/againcontroller.h"
#include "processor/again.h"
#include "processor/parameterids.h"
#include "scriptedstream.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <vector>

using namespace Steinberg;

namespace Brumvale::Fuzz {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The stream the plug-in reads: the rest of the input, broken as its first bytes ask.
struct BrokenStream
{
    explicit BrokenStream(FuzzedDataProvider& input)
    {
        const bool fails = input.ConsumeBool();
        const auto limit = input.ConsumeIntegralInRange<std::int64_t>(0, 40);
        const bool silentShortReads = input.ConsumeBool();
        const bool partialFailures = input.ConsumeBool();
        stream = owned(new Host::ScriptedStream(input.ConsumeRemainingBytes<std::uint8_t>()));
        if (fails)
            stream->failAfter(limit);
        stream->succeedWithoutData(silentShortReads);
        stream->deliverPartBeforeFailing(partialFailures);
    }
    IPtr<Host::ScriptedStream> stream;
};

template <class Object> Bytes savedState(Object& object)
{
    Host::ScriptedStream stream;
    require(object.getState(&stream) == kResultOk, "getState succeeds on a sound stream");
    return stream.bytes();
}

template <class Object> void restore(Object& object, const Bytes& bytes)
{
    Host::ScriptedStream stream(bytes);
    require(object.setState(&stream) == kResultOk, "a saved state is accepted again");
}

// A refused state changes nothing; an accepted one reads back as it was taken, and
// what getState writes is accepted again unchanged.
template <class Object> tresult checkSetState(Object& object, Host::ScriptedStream& stream)
{
    const Bytes before = savedState(object);
    const tresult result = object.setState(&stream);
    const Bytes after = savedState(object);
    if (result != kResultOk)
    {
        require(after == before, "a refused state changes nothing");
        return result;
    }
    restore(object, after);
    require(savedState(object) == after, "a saved state reads back unchanged");
    return result;
}

void processorState(FuzzedDataProvider& input)
{
    IPtr<again> processor = owned(new again);
    require(processor->initialize(nullptr) == kResultOk, "initialize");
    // Active, a state travels to the processing side through its mailbox.
    const bool active = input.ConsumeBool();
    if (active)
        processor->setActive(true);
    BrokenStream broken(input);
    const auto& content = broken.stream->bytes();
    // The levels are kept as they came, whatever they are.
    if (checkSetState(*processor, *broken.stream) == kResultOk && broken.stream->position() == 20)
        require(std::memcmp(savedState(*processor).data() + 12, content.data() + 12, 8) == 0,
                "the levels read back bit for bit");
    if (active)
        processor->setActive(false);
    processor->terminate();
}

void controllerState(FuzzedDataProvider& input)
{
    IPtr<againController> controller = owned(new againController);
    require(controller->initialize(nullptr) == kResultOk, "initialize");
    if (input.ConsumeBool())
    {
        BrokenStream broken(input);
        checkSetState(*controller, *broken.stream);
    }
    else
    {
        // The processor's state, read by the controller into its parameters.
        Vst::ParamValue before[kNumParameters];
        for (Vst::ParamID id = 0; id < kNumParameters; ++id)
            before[id] = controller->getParamNormalized(id);
        BrokenStream broken(input);
        const tresult result = controller->setComponentState(broken.stream);
        for (Vst::ParamID id = 0; id < kNumParameters; ++id)
        {
            const Vst::ParamValue value = controller->getParamNormalized(id);
            require(value >= 0.0 && value <= 1.0, "parameters stay within 0..1");
            if (result != kResultOk)
                require(value == before[id], "a refused state changes no parameter");
        }
    }
    controller->terminate();
}

} // namespace
} // namespace Brumvale::Fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    if (input.ConsumeBool())
        Brumvale::Fuzz::processorState(input);
    else
        Brumvale::Fuzz::controllerState(input);
    return 0;
}
