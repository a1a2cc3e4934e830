// Texts that arrive over the processor-controller connection.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pluginterfaces/vst/ivstmessage.h"
#include "public.sdk/source/vst/vstcomponentbase.h"

namespace Brumvale {

// The diagnostic line for a received text: "[receiver] received: ", the text
// verbatim (never a format), a line feed, on standard error. A null text prints
// nothing.
void printReceivedText(const char* receiver, const char* text);

// ComponentBase's answer to a message (a "TextMessage" passes its "Text" attribute,
// as UTF-8, to receiveText; anything else is kResultFalse), safe for any message:
// one without attributes, and a text holding a lone UTF-16 surrogate, are refused
// (kResultFalse) instead of read or converted, on every platform.
Steinberg::tresult notifyComponentBase(Steinberg::Vst::ComponentBase& component,
                                       Steinberg::Vst::IMessage* message);

} // namespace Brumvale
