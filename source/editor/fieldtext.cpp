// UTF-16 to UTF-8 and back for the value fields, surrogate pairs included.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "fieldtext.h"

#include "widgets/utf8.h"

namespace Brumvale {
namespace {

bool surrogate(char32_t unit) { return unit >= 0xD800 && unit < 0xE000; }

} // namespace

std::string toFieldText(const Steinberg::Vst::TChar* text)
{
    std::string out;
    for (int i = 0; text && text[i] && i < kFieldTextLength; ++i)
    {
        char32_t code = char16_t(text[i]);
        const char32_t next = i + 1 < kFieldTextLength ? char16_t(text[i + 1]) : 0;
        if (code >= 0xD800 && code < 0xDC00 && next >= 0xDC00 && next < 0xE000)
        {
            code = 0x10000 + ((code - 0xD800) << 10) + (next - 0xDC00);
            ++i;
        }
        else if (surrogate(code))
            code = 0xFFFD;
        VSTGUI::appendUtf8(out, code);
    }
    return out;
}

bool toString128(const std::string& text, Steinberg::Vst::String128 out)
{
    int units = 0;
    for (size_t at = 0; at < text.size() && units < kFieldTextLength;)
    {
        const auto lead = static_cast<unsigned char>(text[at]);
        const int length = lead < 0x80    ? 1
                           : lead >= 0xF0 ? 4
                           : lead >= 0xE0 ? 3
                           : lead >= 0xC0 ? 2
                                          : 0;
        if (length == 0 || at + size_t(length) > text.size())
            return false;
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length; ++k)
        {
            const auto byte = static_cast<unsigned char>(text[at + size_t(k)]);
            if ((byte & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (byte & 0x3F);
        }
        if (code > 0x10FFFF || surrogate(code))
            return false;
        at += size_t(length);
        if (code >= 0x10000)
        {
            if (units + 2 > kFieldTextLength)
                break;
            out[units++] = Steinberg::Vst::TChar(0xD800 + ((code - 0x10000) >> 10));
            out[units++] = Steinberg::Vst::TChar(0xDC00 + ((code - 0x10000) & 0x3FF));
        }
        else
            out[units++] = Steinberg::Vst::TChar(code);
    }
    out[units] = 0;
    return true;
}

} // namespace Brumvale
