// UTF-8, the encoding of every text in the widget layer.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace VSTGUI {

// Appends one code point (up to U+10FFFF) in UTF-8.
inline void appendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80)
        out += char(code);
    else if (code < 0x800)
        out += {char(0xC0 | (code >> 6)), char(0x80 | (code & 0x3F))};
    else if (code < 0x10000)
        out += {char(0xE0 | (code >> 12)), char(0x80 | ((code >> 6) & 0x3F)),
                char(0x80 | (code & 0x3F))};
    else
        out += {char(0xF0 | (code >> 18)), char(0x80 | ((code >> 12) & 0x3F)),
                char(0x80 | ((code >> 6) & 0x3F)), char(0x80 | (code & 0x3F))};
}

} // namespace VSTGUI
