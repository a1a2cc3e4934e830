// Reading a number out of a parameter text typed by the user or sent by the host.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <type_traits>

namespace Brumvale {

// Texts longer than this many code units are refused.
constexpr int kLongestNumberText = 127;

// The first number in a text of kLongestNumberText ASCII characters at most (the
// narrowed text readNumber builds); false, with the value untouched, for none.
bool readNarrowNumber(char* narrow, int length, double& value);

// Reads the first number in a text of UTF-16 units (VST 3) or UTF-8 bytes (the
// panel's fields): the first comma counts as a decimal point, and a C "%lf"
// conversion is tried at the first character, then at each next one, so words
// before the number and a unit after it (" dB") are skipped. Units outside ASCII
// never belong to a number and read as such, so any text is safe, a lone
// surrogate or a broken UTF-8 sequence included. False, with the value untouched,
// for a null or over-long text, a text without a number, and a number that is
// not finite ("nan", "inf", "1e999"). Allocates nothing.
template <class Unit> bool readNumber(const Unit* text, double& value)
{
    if (!text)
        return false;
    char narrow[kLongestNumberText + 1];
    int length = 0;
    bool commaSeen = false;
    for (; text[length]; ++length)
    {
        if (length == kLongestNumberText)
            return false;
        const auto unit = static_cast<std::make_unsigned_t<Unit>>(text[length]);
        char c = unit < 0x80 ? static_cast<char>(unit) : '_';
        if (c == ',' && !commaSeen)
        {
            c = '.';
            commaSeen = true;
        }
        narrow[length] = c;
    }
    narrow[length] = '\0';
    return readNarrowNumber(narrow, length, value);
}

} // namespace Brumvale
