// Host-level tests: a fixture that loads the built Brumvale bundle once per suite.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "audiobuffers.h"
#include "plugininstance.h"
#include "pluginmodule.h"

#include <gtest/gtest.h>
#include <pluginterfaces/vst/vsttypes.h>

#include <memory>
#include <string>

namespace Brumvale::Host {

class BundleTest : public ::testing::Test
{
public:
    static constexpr const char* kProcessorId = "74E8DE5282554F5586FAE4152C935A20";
    static constexpr const char* kControllerId = "C39D5B67C7AF41FD743F4AD031EB03F3";
    static constexpr double kSampleRate = 44100.0;
    static constexpr Steinberg::int32 kMaxBlock = 512;
    // The editor's window type on this platform, and another platform's (defined in
    // linux/ or win32/).
    static const Steinberg::FIDString kWindowType;
    static const Steinberg::FIDString kOtherWindowType;

    // The bundle under test: the one BRUMVALE_BUNDLE names (an installed copy), or
    // else the build's.
    static std::string bundlePath();

    static void SetUpTestSuite();
    static void TearDownTestSuite();

protected:
    void SetUp() override;

    static PluginModule& module() { return *loaded; }
    // A processor and controller created, initialised, connected, with the recording
    // handler set and the component state handed over; null after a reported failure.
    static std::unique_ptr<PluginInstance> openInstance();
    // As above, also set to stereo at 44.1 kHz, active and processing.
    static std::unique_ptr<PluginInstance> startedInstance();
    // Both input channels of a stereo runner filled with a half-scale sine.
    static void fillWithSine(AudioBuffers& input);

    static void widen(const char* text, Steinberg::Vst::String128 out);

private:
    static std::unique_ptr<PluginModule> loaded;
    static std::string loadError;
};

} // namespace Brumvale::Host
