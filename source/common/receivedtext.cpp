// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
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

tresult notifyComponentBase(Vst::ComponentBase& component, Vst::IMessage* message)
{
    if (!message)
        return kInvalidArgument;
    if (!message->getAttributes())
        return kResultFalse;
    return guarded([&] { return component.Vst::ComponentBase::notify(message); });
}

} // namespace Brumvale
