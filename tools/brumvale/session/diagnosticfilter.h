// Keeps plug-ins' diagnostic lines out of the tool's standard error.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace Brumvale {

// Splits the program in two; call it first thing in main, before any thread starts.
// It returns in the worker, the process that goes on to do the program's work, with
// standard error running through a pipe to the other process. That one drops every
// line in the diagnostic form "[Class] received: text" that plug-ins write, passes
// everything else unchanged and in order (the tool's own messages, its progress bar,
// a plug-in's other output and a crash report) and, once the worker has ended and
// all it wrote has passed, ends the way the worker ended: with its exit status, or
// by its signal. So whoever started the tool sees all of its output before it ends,
// a crash included. Interrupt and termination signals sent to that process reach the
// worker. When the split cannot be made, the program runs unfiltered.
void filterDiagnostics();

} // namespace Brumvale
