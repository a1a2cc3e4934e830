// What the user plays the parameters with while brumvale live runs.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace Brumvale {

// The plug-in's editor in a window, or the terminal's keys. Main thread.
class LiveFront
{
public:
    enum class Turn
    {
        idle,  // the time passed
        woken, // the wake descriptor is readable
        quit,  // the user asked to end (closed the window, pressed q)
    };

    virtual ~LiveFront() = default;
    // Serves the user (their edits go to the controller and on to the audio
    // callback) for up to the time given, or until the wake descriptor is readable.
    virtual Turn serve(int wakeDescriptor, int milliseconds) = 0;
};

} // namespace Brumvale
