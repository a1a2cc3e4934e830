// UTF-16 to UTF-8 one code unit at a time; a surrogate becomes '?'.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "text.h"

namespace Brumvale::Host {

std::string toUtf8(const Steinberg::Vst::TChar* text)
{
    std::string result;
    for (; text && *text; ++text)
    {
        const unsigned unit = static_cast<unsigned>(*text);
        if (unit < 0x80)
            result += char(unit);
        else if (unit < 0x800)
            result += {char(0xC0 | (unit >> 6)), char(0x80 | (unit & 0x3F))};
        else if (unit >= 0xD800 && unit < 0xE000)
            result += '?';
        else
            result += {char(0xE0 | (unit >> 12)), char(0x80 | ((unit >> 6) & 0x3F)),
                       char(0x80 | (unit & 0x3F))};
    }
    return result;
}

} // namespace Brumvale::Host
