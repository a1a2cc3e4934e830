// The terminal's bytes to keys: characters, arrows in both cursor modes, sequences
// split between reads, and sequences that are not ours.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/keyreader.h"

#include <gtest/gtest.h>

#include <string>

namespace Brumvale {
namespace {

// The keys a byte string gives, one letter each: U D R L for the arrows, the
// character itself otherwise.
std::string keysOf(KeyReader& reader, const std::string& bytes)
{
    std::string keys;
    for (unsigned char byte : bytes)
    {
        char character = 0;
        switch (reader.feed(byte, character))
        {
        case KeyReader::Key::none:
            break;
        case KeyReader::Key::character:
            keys += character;
            break;
        case KeyReader::Key::up:
            keys += 'U';
            break;
        case KeyReader::Key::down:
            keys += 'D';
            break;
        case KeyReader::Key::right:
            keys += 'R';
            break;
        case KeyReader::Key::left:
            keys += 'L';
            break;
        }
    }
    return keys;
}

TEST(KeyReader, TellsCharactersFromArrowsAndSkipsOtherSequences)
{
    const struct
    {
        const char* bytes;
        const char* keys;
    } cases[] = {
        {"bhw", "bhw"},
        {"\x1b[A\x1b[B\x1b[C\x1b[D", "UDRL"},
        {"\x1bOA\x1bOD", "UL"}, // keypad application mode
        {"\x1b[1;5A"
         "b",
         "b"}, // Ctrl+Up: not ours
        {"\x1b[15~"
         "w",
         "w"},          // F5
        {"\x1bx", "x"}, // Alt+x: the key alone
        {"\x1b[Ah\x1b[B", "UhD"},
        {"q", "q"},
    };
    for (const auto& test : cases)
    {
        KeyReader reader;
        EXPECT_EQ(keysOf(reader, test.bytes), test.keys) << "bytes: " << test.bytes + 1;
    }
}

// A read may end anywhere in a sequence; the next read finishes it.
TEST(KeyReader, KeepsASequenceAcrossReads)
{
    const std::string bytes = "\x1b[A"
                              "b"
                              "\x1bOC";
    for (size_t split = 0; split <= bytes.size(); ++split)
    {
        KeyReader reader;
        std::string keys = keysOf(reader, bytes.substr(0, split));
        keys += keysOf(reader, bytes.substr(split));
        EXPECT_EQ(keys, "UbR") << "split at " << split;
    }
}

} // namespace
} // namespace Brumvale
