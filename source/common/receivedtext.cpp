// Printing a received text, and refusing a message whose text holds a lone UTF-16 surrogate.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "receivedtext.h"

#include "interfaceguard.h"

#include <cstdio>

using namespace Steinberg;

namespace Brumvale {

void printReceivedText(const char* receiver, const char* text)
{
    if (!text)
        return;
    std::fprintf(stderr, "[%s] received: ", receiver);
    std::fputs(text, stderr);
    std::fputc('\n', stderr);
}

namespace {

// A UTF-16 text with a surrogate that is not part of a pair: not text at all. The
// SDK's conversion throws on Linux and puts U+FFFD in on Windows; both refuse it.
bool holdsLoneSurrogate(const Vst::TChar* text)
{
    for (; *text; ++text)
    {
        const auto unit = static_cast<char16_t>(*text);
        if (unit >= 0xD800 && unit < 0xDC00)
        {
            const auto next = static_cast<char16_t>(text[1]);
            if (next < 0xDC00 || next >= 0xE000)
                return true;
            ++text;
        }
        else if (unit >= 0xDC00 && unit < 0xE000)
            return true;
    }
    return false;
}

} // namespace

tresult notifyComponentBase(Vst::ComponentBase& component, Vst::IMessage* message)
{
    if (!message)
        return kInvalidArgument;
    Vst::IAttributeList* attributes = message->getAttributes();
    if (!attributes)
        return kResultFalse;
    Vst::TChar text[256] = {};
    if (FIDStringsEqual(message->getMessageID(), "TextMessage") &&
        attributes->getString("Text", text, sizeof(text)) == kResultOk && holdsLoneSurrogate(text))
        return kResultFalse;
    return guarded([&] { return component.Vst::ComponentBase::notify(message); });
}

} // namespace Brumvale
