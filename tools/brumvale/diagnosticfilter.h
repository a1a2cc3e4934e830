// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
// Keeps plug-ins' diagnostic lines out of the tool's standard error.
#pragma once

namespace Brumvale {

// While one exists, standard error runs through a small filter process that drops
// every line a plug-in writes in the diagnostic form "[Class] received: text" and
// passes everything else unchanged and in order: the tool's own messages, its
// progress bar (which rewrites one line with carriage returns), a plug-in's other
// output and a crash report. Because the filter is a process of its own, what a
// crashing program wrote before it died still arrives. Standard error is the
// program's own again when this is destroyed, once the filter has written all.
// Create it before any thread starts; not copyable.
class DiagnosticFilter
{
public:
    DiagnosticFilter();
    ~DiagnosticFilter();
    DiagnosticFilter(const DiagnosticFilter&) = delete;
    DiagnosticFilter& operator=(const DiagnosticFilter&) = delete;

private:
    int savedError = -1; // the original standard error, or -1 when no filter runs
    int filter = -1;     // the filter's process id
};

} // namespace Brumvale
