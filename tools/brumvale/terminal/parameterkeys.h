// Keys that play the effect's parameters from a terminal.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "session/parametertexts.h"
#include "terminal/keyreader.h"

#include <pluginterfaces/vst/ivsteditcontroller.h>

#include <string>

namespace Brumvale {

// Up and down step Boost, right and left step Volume (1/36 of the range a press:
// a decibel for Brumvale), b, h and w switch Bypass, HiFi (AntiAlias) and Warmth;
// parameters are found by title, so keys of parameters a plug-in lacks do nothing.
// Main thread.
class ParameterKeys
{
public:
    explicit ParameterKeys(Steinberg::Vst::IEditController& controller);

    // The edit the key makes from the controller's current value; false when it
    // changes nothing.
    bool edit(KeyReader::Key key, char character, Steinberg::Vst::ParamID& id,
              Steinberg::Vst::ParamValue& value) const;
    // The keys there are, and q to end.
    std::string help() const;

private:
    Steinberg::Vst::IEditController& controller;
    ParameterTexts texts;
};

} // namespace Brumvale
