// Keys from a terminal's bytes: characters and the arrow keys' escape sequences.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

namespace Brumvale {

// Turns the bytes a terminal sends into keys. The arrows come as ESC [ A (or ESC O A
// in the keypad's application mode) to ESC [ D, and a read may end inside one, so
// the reader keeps what it has of a sequence until the next bytes. Other escape
// sequences (function keys, Home, ...) are skipped whole.
class KeyReader
{
public:
    enum class Key
    {
        none, // nothing complete yet
        character,
        up,
        down,
        right,
        left,
    };

    // Feeds one byte; a key when it completes one (with its character for
    // Key::character).
    Key feed(unsigned char byte, char& character);

private:
    enum class State
    {
        plain,
        escape,   // after ESC
        sequence, // after ESC [ or ESC O, until the final byte
    };
    State state = State::plain;
    bool parameters = false; // the sequence has digits or ';' before its final byte
};

} // namespace Brumvale
