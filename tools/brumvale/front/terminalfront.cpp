// The terminal's keys read while brumvale live plays: q quits, the others edit parameters.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "front/terminalfront.h"

#include <poll.h>
#include <unistd.h>

namespace Brumvale {

TerminalFront::TerminalFront(Steinberg::Vst::IEditController& controller, Host::EditQueue& edits)
    : controller(controller), edits(edits), keys(controller)
{}

LiveFront::Turn TerminalFront::serve(int wakeDescriptor, int milliseconds)
{
    pollfd ready[] = {{wakeDescriptor, POLLIN, 0}, {terminal.descriptor(), POLLIN, 0}};
    if (poll(ready, readsKeys() ? 2 : 1, milliseconds) <= 0)
        return Turn::idle;
    if (ready[0].revents)
        return Turn::woken;
    unsigned char bytes[64];
    const ssize_t count = read(terminal.descriptor(), bytes, sizeof bytes);
    if (count <= 0)
        ended = true;
    for (ssize_t i = 0; i < count; ++i)
        if (!take(bytes[i]))
            return Turn::quit;
    return Turn::idle;
}

// False for q.
bool TerminalFront::take(unsigned char byte)
{
    char character = 0;
    const KeyReader::Key key = reader.feed(byte, character);
    if (key == KeyReader::Key::character && (character == 'q' || character == 'Q'))
        return false;
    Host::EditQueue::Edit edit;
    if (keys.edit(key, character, edit.id, edit.value))
    {
        controller.setParamNormalized(edit.id, edit.value);
        edits.push(edit);
    }
    return true;
}

} // namespace Brumvale
