// A terminal that hands over each key as it is pressed, restored when done.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

namespace Brumvale {

// While it lives, the terminal on standard input sends keys at once and shows
// nothing of them (no line editing, no echo); Ctrl-C still sends SIGINT. Does
// nothing when standard input is not a terminal (active() is then false).
// Restores the terminal's settings on destruction.
class RawTerminal
{
public:
    RawTerminal();
    ~RawTerminal();
    RawTerminal(const RawTerminal&) = delete;
    RawTerminal& operator=(const RawTerminal&) = delete;

    bool active() const { return bool(saved); }
    // The descriptor to poll for keys.
    int descriptor() const;

private:
    struct Saved;
    std::unique_ptr<Saved> saved;
};

} // namespace Brumvale
