// Host library: reading a .vstpreset file's chunks.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "presetchunks.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace Brumvale::Host {
namespace {

constexpr std::size_t kHeaderSize = 4 + 4 + 32 + 8;
constexpr std::size_t kListEntrySize = 4 + 8 + 8;

std::uint64_t littleEndian(const std::uint8_t* bytes, int count)
{
    std::uint64_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | bytes[i];
    return value;
}

bool same(const std::uint8_t* bytes, const char* text)
{
    return std::memcmp(bytes, text, std::strlen(text)) == 0;
}

} // namespace

bool PresetChunks::read(const std::vector<std::uint8_t>& file, const std::string& classId,
                        std::string& error)
{
    const std::size_t size = file.size();
    const std::uint8_t* bytes = file.data();
    if (size >= 4 && !same(bytes, "VST3"))
    {
        error = "is not a VST 3 preset";
        return false;
    }
    if (size < kHeaderSize)
    {
        error = "is cut short";
        return false;
    }
    const std::string fileClass(reinterpret_cast<const char*>(bytes + 8), 32);
    const auto upper = [](std::string text) {
        std::transform(text.begin(), text.end(), text.begin(),
                       [](unsigned char c) { return char(std::toupper(c)); });
        return text;
    };
    if (upper(fileClass) != upper(classId))
    {
        error = "is a preset of another plug-in (class " + fileClass + ")";
        return false;
    }
    const std::uint64_t list = littleEndian(bytes + 40, 8);
    if (list < kHeaderSize || list > size || size - list < 8 || !same(bytes + list, "List"))
    {
        error = list > size ? "has its chunk list past its end" : "is cut short";
        return false;
    }
    const std::uint64_t count = littleEndian(bytes + list + 4, 4);
    if (count > (size - list - 8) / kListEntrySize)
    {
        error = "is cut short";
        return false;
    }
    bool hasComponent = false;
    hasController = false;
    for (std::uint64_t entry = 0; entry < count; ++entry)
    {
        const std::uint8_t* at = bytes + list + 8 + entry * kListEntrySize;
        const std::uint64_t offset = littleEndian(at + 4, 8), length = littleEndian(at + 12, 8);
        if (offset > size || length > size - offset)
        {
            error = "has a chunk past its end";
            return false;
        }
        std::vector<std::uint8_t>* chunk = same(at, "Comp")   ? &component
                                           : same(at, "Cont") ? &controller
                                                              : nullptr;
        if (!chunk)
            continue;
        chunk->assign(bytes + offset, bytes + offset + length);
        hasComponent = hasComponent || chunk == &component;
        hasController = hasController || chunk == &controller;
    }
    if (!hasComponent)
    {
        error = "holds no processor state";
        return false;
    }
    return true;
}

} // namespace Brumvale::Host
