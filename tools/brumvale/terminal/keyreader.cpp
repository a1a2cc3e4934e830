// Decoding a terminal's bytes one by one: plain characters, escape sequences and the arrow keys.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "keyreader.h"

namespace Brumvale {

KeyReader::Key KeyReader::feed(unsigned char byte, char& character)
{
    constexpr unsigned char kEscape = 0x1B;
    switch (state)
    {
    case State::plain:
        if (byte == kEscape)
        {
            state = State::escape;
            return Key::none;
        }
        character = char(byte);
        return Key::character;
    case State::escape:
        if (byte == '[' || byte == 'O')
        {
            state = State::sequence;
            parameters = false;
            return Key::none;
        }
        // ESC and another key (Alt with it): the key alone.
        state = State::plain;
        return feed(byte, character);
    case State::sequence:
        // Parameter and intermediate bytes (0x20..0x3F) until a final byte (0x40..0x7E).
        if (byte >= 0x20 && byte <= 0x3F)
        {
            parameters = true;
            return Key::none;
        }
        state = State::plain;
        if (parameters) // a modified arrow or another key: not ours
            return Key::none;
        switch (byte)
        {
        case 'A':
            return Key::up;
        case 'B':
            return Key::down;
        case 'C':
            return Key::right;
        case 'D':
            return Key::left;
        default:
            return Key::none;
        }
    }
    return Key::none;
}

} // namespace Brumvale
