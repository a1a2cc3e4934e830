// Real-time tests: watches a thread for what a real-time thread must not do.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace Brumvale::Testing {

// While an object of this class lives, the thread that made it is watched: every heap
// call (malloc and its kin, which operator new uses), every lock or wait (pthread
// mutexes, read-write locks, condition variables, semaphores), every common system call
// (reads, writes, opening files, sleeping, yielding, mapping memory, syscall()), every
// write to a C stream and every thrown exception is counted. Other threads are not
// watched. The program must export its symbols (ENABLE_EXPORTS) so that loaded plug-in
// modules bind to the interceptors; it cannot be combined with the sanitizers, which
// intercept the same functions.
class RealtimeWatch
{
public:
    RealtimeWatch();
    // For a thread of another's making (an audio server's): made paused, it watches
    // the thread that calls resume until that thread calls pause, counting into it.
    enum class Paused
    {
        paused
    };
    explicit RealtimeWatch(Paused);
    void resume();
    void pause();
    ~RealtimeWatch();
    RealtimeWatch(const RealtimeWatch&) = delete;
    RealtimeWatch& operator=(const RealtimeWatch&) = delete;

    // Stops watching; the number of forbidden calls since construction.
    long stop();
    // The name of the first forbidden call, or "" when there was none.
    std::string first() const;
};

} // namespace Brumvale::Testing
