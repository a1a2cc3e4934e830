// Host-level tests: a fixture that loads the built Brumvale bundle once per suite.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "bundletest.h"

#include <pluginterfaces/vst/vstspeaker.h>

#include <cmath>
#include <cstdlib>

namespace Brumvale::Host {

using namespace Steinberg;

std::unique_ptr<PluginModule> BundleTest::loaded;
std::string BundleTest::loadError;

std::string BundleTest::bundlePath()
{
    const char* bundle = std::getenv("BRUMVALE_BUNDLE");
    return bundle ? bundle : BRUMVALE_BUNDLE_PATH;
}

void BundleTest::SetUpTestSuite()
{
    if (!loaded)
        loaded = PluginModule::load(bundlePath(), loadError);
}

void BundleTest::TearDownTestSuite() { loaded.reset(); }

void BundleTest::SetUp() { ASSERT_TRUE(loaded) << loadError; }

std::unique_ptr<PluginInstance> BundleTest::openInstance()
{
    ClassInfo processorClass;
    if (!loaded || !loaded->findClass(kVstAudioEffectClass, processorClass))
    {
        ADD_FAILURE() << "no processor class";
        return nullptr;
    }
    std::string error;
    auto instance = PluginInstance::create(*loaded, processorClass.cid, error);
    if (!instance)
    {
        ADD_FAILURE() << error;
        return nullptr;
    }
    const tresult opened = instance->open();
    if (opened != kResultOk)
    {
        ADD_FAILURE() << "open failed with " << opened;
        return nullptr;
    }
    return instance;
}

std::unique_ptr<PluginInstance> BundleTest::startedInstance()
{
    auto instance = openInstance();
    if (!instance)
        return nullptr;
    const tresult started =
        instance->startProcessing(Vst::SpeakerArr::kStereo, kSampleRate, kMaxBlock);
    if (started != kResultOk)
    {
        ADD_FAILURE() << "startProcessing failed with " << started;
        return nullptr;
    }
    return instance;
}

void BundleTest::fillWithSine(AudioBuffers& input)
{
    for (int32 i = 0; i < input.capacity(); ++i)
        input.channel(0)[i] = input.channel(1)[i] = static_cast<float>(0.5 * std::sin(0.03 * i));
}

void BundleTest::widen(const char* text, Vst::String128 out)
{
    int i = 0;
    for (; text[i] && i < 127; ++i)
        out[i] = static_cast<Vst::TChar>(static_cast<unsigned char>(text[i]));
    out[i] = 0;
}

} // namespace Brumvale::Host
