// Fuzz target: the processor driven by a sequence of host calls decoded
// from the input: bus arrangements, set-ups at any rate and block size, activation,
// blocks with parameter changes, silence flags and states in between.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzzcheck.h"

#include "parameterchanges.h"
#include "processor/again.h"
#include "scriptedstream.h"

#include <pluginterfaces/vst/vstspeaker.h>

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace Brumvale::Fuzz {
namespace {

const SpeakerArrangement kArrangements[] = {SpeakerArr::kMono,   SpeakerArr::kStereo,
                                            SpeakerArr::k51,     SpeakerArr::kEmpty,
                                            SpeakerArr::k71Cine, ~SpeakerArrangement(0)};

const double kRates[] = {8000.0,
                         22050.0,
                         32000.0,
                         44100.0,
                         44099.9,
                         48000.0,
                         88200.0,
                         96000.0,
                         176400.0,
                         192000.0,
                         352800.0,
                         384000.0,
                         1.0,
                         0.0,
                         -44100.0,
                         1e12,
                         std::numeric_limits<double>::infinity(),
                         std::numeric_limits<double>::quiet_NaN()};

class HostSession
{
public:
    explicit HostSession(FuzzedDataProvider& input) : input(input)
    {
        processor = owned(new again);
        require(processor->initialize(nullptr) == kResultOk, "initialize");
    }
    ~HostSession()
    {
        if (active)
            processor->setActive(false);
        processor->terminate();
    }

    void step()
    {
        switch (input.ConsumeIntegralInRange(0, 6))
        {
        case 0:
            arrange();
            break;
        case 1:
            setUp();
            break;
        case 2:
            active = !active;
            processor->setActive(active);
            break;
        case 3:
            processor->setProcessing(input.ConsumeBool());
            break;
        case 4:
            setState();
            break;
        default:
            processBlock();
            break;
        }
    }

private:
    void arrange()
    {
        SpeakerArrangement in = input.PickValueInArray(kArrangements);
        SpeakerArrangement out = input.ConsumeBool() ? in : input.PickValueInArray(kArrangements);
        if (processor->setBusArrangements(&in, 1, &out, 1) == kResultTrue)
        {
            // The processor may answer with its own widths: ask, as hosts do.
            processor->getBusArrangement(kInput, 0, in);
            processor->getBusArrangement(kOutput, 0, out);
        }
        inputChannels = SpeakerArr::getChannelCount(in);
        outputChannels = SpeakerArr::getChannelCount(out);
    }

    void setUp()
    {
        ProcessSetup setup{};
        setup.processMode = input.ConsumeIntegralInRange(0, 2);
        setup.symbolicSampleSize = input.ConsumeBool() ? kSample32 : kSample64;
        setup.maxSamplesPerBlock = input.ConsumeIntegralInRange(0, 4096);
        setup.sampleRate = input.ConsumeBool() ? input.PickValueInArray(kRates)
                                               : input.ConsumeFloatingPoint<double>();
        if (processor->setupProcessing(setup) == kResultOk)
            maxBlock = setup.maxSamplesPerBlock;
    }

    void setState()
    {
        Host::ScriptedStream stream(input.ConsumeBytes<std::uint8_t>(20));
        processor->setState(&stream);
    }

    void fillInput(std::vector<float>& channel, bool& finite)
    {
        // A few raw samples, then a tone, a constant or digital silence.
        size_t i = 0;
        for (const size_t raw = input.ConsumeIntegralInRange<size_t>(0, 4);
             i < raw && i < channel.size(); ++i)
        {
            channel[i] = input.ConsumeFloatingPoint<float>();
            if (input.ConsumeIntegralInRange(0, 15) == 0)
                channel[i] = std::numeric_limits<float>::quiet_NaN();
            finite = finite && std::isfinite(channel[i]);
        }
        const float level = input.ConsumeFloatingPointInRange(-4.0f, 4.0f);
        const float step = input.ConsumeFloatingPointInRange(0.0f, 3.0f);
        for (; i < channel.size(); ++i)
            channel[i] = level * std::sin(step * static_cast<float>(i));
    }

    void addChanges()
    {
        const int points = input.ConsumeIntegralInRange(0, 12);
        for (int point = 0; point < points; ++point)
        {
            const ParamID id = input.ConsumeBool() ? input.ConsumeIntegralInRange<ParamID>(0, 4)
                                                   : input.ConsumeIntegral<ParamID>();
            const int32 offset = input.ConsumeBool() ? input.ConsumeIntegralInRange(0, 4096)
                                                     : input.ConsumeIntegral<int32>();
            const ParamValue value = input.ConsumeBool() ? input.ConsumeProbability<double>()
                                                         : input.ConsumeFloatingPoint<double>();
            changes.addChange(id, offset, value);
        }
    }

    void processBlock()
    {
        // Mostly short blocks, which keeps the target quick; now and then the longest.
        const int32 samples = input.ConsumeIntegralInRange(
            0, input.ConsumeBool() ? std::min(maxBlock, 256) : maxBlock);
        const bool inPlace = input.ConsumeBool() && inputChannels == outputChannels;
        // Buffers of exactly the block's length, so the sanitizer sees any overrun.
        const auto length = static_cast<size_t>(samples);
        std::vector<std::vector<float>> in(static_cast<size_t>(inputChannels),
                                           std::vector<float>(length));
        std::vector<std::vector<float>> out(static_cast<size_t>(outputChannels),
                                            std::vector<float>(length));
        bool finite = true;
        std::vector<float*> inPointers, outPointers;
        for (auto& channel : in)
        {
            fillInput(channel, finite);
            inPointers.push_back(channel.data());
        }
        for (size_t c = 0; c < out.size(); ++c)
            outPointers.push_back(inPlace ? inPointers[c] : out[c].data());

        AudioBusBuffers inBus{}, outBus{};
        inBus.numChannels = inputChannels;
        inBus.channelBuffers32 = inPointers.data();
        inBus.silenceFlags = input.ConsumeBool() ? 0 : input.ConsumeIntegral<uint64>();
        outBus.numChannels = outputChannels;
        outBus.channelBuffers32 = outPointers.data();

        changes.clear();
        addChanges();
        ProcessData data{};
        data.processMode = kRealtime;
        data.symbolicSampleSize = kSample32;
        data.numSamples = samples;
        data.numInputs = 1;
        data.numOutputs = 1;
        data.inputs = &inBus;
        data.outputs = &outBus;
        data.inputParameterChanges = &changes;
        processor->process(data);

        if (!finite)
            return;
        for (float* channel : outPointers)
            for (int32 i = 0; i < samples; ++i)
                require(std::isfinite(channel[i]), "finite input gives finite output");
    }

    FuzzedDataProvider& input;
    IPtr<again> processor;
    Host::ParameterChanges changes;
    int32 inputChannels = 2;
    int32 outputChannels = 2;
    int32 maxBlock = 0;
    bool active = false;
};

} // namespace
} // namespace Brumvale::Fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    return Brumvale::Fuzz::runSession<Brumvale::Fuzz::HostSession>(data, size);
}
