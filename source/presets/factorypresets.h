// The factory presets: what each sets, what it is for, and what it measured.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "processor/parameterids.h"

#include <array>

namespace Brumvale {

// What the demo riff, a DI guitar peaking at -12 dBFS, gives through a preset
// (brumvale presets --measure prints it; a test checks it still does): the
// output's peak and RMS level, how far the octave (twice the riff's strongest
// frequency) stands above that frequency itself, and its brightness: the share of
// its power above 1 kHz.
struct PresetMeasurement
{
    double peakDb;
    double rmsDb;
    double octaveDb;
    double brightnessDb;
};

// One factory preset: its name (and file name, NAME.vstpreset), the five values as
// the plug-in shows them, and a line for the user.
struct FactoryPreset
{
    const char* name;
    bool bypass;
    bool hifi; // the AntiAlias parameter
    bool warmth;
    double boostDb;
    double volumeDb;
    const char* description;
    PresetMeasurement measured;

    // The values by parameter ID, plain: switches 0 or 1, levels in dB.
    constexpr std::array<double, kNumParameters> values() const
    {
        return {bypass ? 1.0 : 0.0, hifi ? 1.0 : 0.0, warmth ? 1.0 : 0.0, boostDb, volumeDb};
    }
};

// One preset to a row (kept so by hand).
// clang-format off
inline constexpr std::array<FactoryPreset, 10> kFactoryPresets = {{
    // name                  Bypass HiFi   Warmth Boost Volume
    //     description
    //     measured: peak dBFS, RMS dBFS, octave dB, power above 1 kHz dB
    {"Octave Shimmer",        false, true,  false,   8,   -3,
         "a subtle octave shimmer over the notes, the attack clean",
         {-9.1, -26.9, 0.1, -21.9}},
    {"Classic Octave Fuzz",   false, true,  false,  20,  -12,
         "the classic octave fuzz, smoothed by HiFi",
         {-6.7, -20.9, 0.6, -19.6}},
    {"Sputter Gate",          false, false, false,  36,  -12,
         "full Boost: notes break up and sputter as they decay",
         {-4.1, -13.6, 0.0, -12.8}},
    {"Warm Octave",           false, true,  true,   24,  -18,
         "a rounder octave, with Warmth's softer knees",
         {-9.5, -24.1, 0.5, -20.7}},
    {"Under The Clean Amp",   false, true,  false,   6,  -18,
         "quiet and gentle, to sit under a clean amp",
         {-26.6, -45.2, 0.0, -22.1}},
    {"Lo-Fi Buzz",            false, false, false,  28,  -16,
         "HiFi off: a raw, aliased buzz",
         {-9.0, -19.3, 0.4, -16.1}},
    {"Dark Growl",            false, false, true,   36,  -17,
         "full Boost with Warmth: thick and growling",
         {-7.0, -16.1, 0.1, -14.8}},
    {"Glass Octave",          false, true,  false,  12,    0,
         "a loud, glassy octave for chords up the neck",
         {-1.6, -18.1, 0.3, -21.3}},
    {"Thick Lead",            false, true,  true,   30,  -12,
         "a sustaining lead, warm and full",
         {-2.4, -13.2, 0.5, -17.7}},
    {"Plain Octave",          false, false, false,   0,    0,
         "no Boost: the octave at the guitar's own level",
         {-18.1, -38.7, -0.1, -22.1}},
}};
// clang-format on

} // namespace Brumvale
