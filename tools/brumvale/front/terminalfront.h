// brumvale live without its editor: the terminal's keys play the parameters.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "front/livefront.h"
#include "live/editqueue.h"
#include "terminal/keyreader.h"
#include "terminal/parameterkeys.h"
#include "terminal/rawterminal.h"

#include <pluginterfaces/vst/ivsteditcontroller.h>

#include <string>

namespace Brumvale {

// Reads keys while standard input is a terminal (and only then: other input is
// never read); each key's edit goes to the controller and to the queue, as an
// editor's would. q asks to end.
class TerminalFront : public LiveFront
{
public:
    TerminalFront(Steinberg::Vst::IEditController& controller, Host::EditQueue& edits);

    // Whether keys are read; the keys there are.
    bool readsKeys() const { return terminal.active() && !ended; }
    std::string help() const { return keys.help(); }

    Turn serve(int wakeDescriptor, int milliseconds) override;

private:
    bool take(unsigned char byte);

    Steinberg::Vst::IEditController& controller;
    Host::EditQueue& edits;
    ParameterKeys keys;
    KeyReader reader;
    RawTerminal terminal;
    bool ended = false; // the terminal's input ended
};

} // namespace Brumvale
