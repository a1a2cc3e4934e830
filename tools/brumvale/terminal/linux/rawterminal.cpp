// The raw terminal on Linux: standard input without line buffering or echo, set with termios.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/rawterminal.h"

#include <termios.h>
#include <unistd.h>

namespace Brumvale {

struct RawTerminal::Saved
{
    termios settings;
};

RawTerminal::RawTerminal()
{
    termios settings{};
    if (!isatty(STDIN_FILENO) || tcgetattr(STDIN_FILENO, &settings) != 0)
        return;
    saved.reset(new Saved{settings});
    settings.c_lflag &= tcflag_t(~(ICANON | ECHO));
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
    if (tcsetattr(STDIN_FILENO, TCSANOW, &settings) != 0)
        saved.reset();
}

RawTerminal::~RawTerminal()
{
    if (!saved)
        return;
    tcsetattr(STDIN_FILENO, TCSANOW, &saved->settings);
}

int RawTerminal::descriptor() const { return STDIN_FILENO; }

} // namespace Brumvale
