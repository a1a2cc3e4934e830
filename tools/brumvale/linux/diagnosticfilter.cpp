// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
// The diagnostic-line filter on Linux: a forked process reading a pipe.
#include "diagnosticfilter.h"

#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace Brumvale {
namespace {

bool writeAll(int fd, const char* data, size_t size)
{
    while (size > 0)
    {
        const ssize_t written = write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= size_t(written);
    }
    return true;
}

// Decides each line as early as its first characters allow, so that output which
// is not a diagnostic (a progress bar without a line feed, a crash report) passes
// at once. A carriage return starts a new line as a line feed does.
class LineFilter
{
public:
    explicit LineFilter(int out) : out(out) {}

    bool take(char c)
    {
        const bool lineEnd = c == '\n' || c == '\r';
        switch (state)
        {
        case State::Passing:
            if (lineEnd)
                state = State::Start;
            return writeAll(out, &c, 1);
        case State::Dropping:
            if (lineEnd)
                state = State::Start;
            return true;
        case State::Start:
            break;
        }
        pending += c;
        const Match match = lineEnd ? Match::No : matchDiagnostic();
        if (match == Match::Full)
        {
            pending.clear();
            state = State::Dropping;
            return true;
        }
        return match == Match::Partial || flushPending(lineEnd);
    }

    bool finish() { return pending.empty() || flushPending(false); }

private:
    enum class State
    {
        Start,    // at the start of a line, or inside a prefix that may be a diagnostic
        Passing,  // the rest of this line passes
        Dropping, // the rest of this line is a diagnostic
    };
    enum class Match
    {
        No,
        Partial,
        Full
    };

    static bool isNameCharacter(char c)
    {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == ':';
    }

    // "[", a class name, "] received: ", so far.
    Match matchDiagnostic() const
    {
        if (pending[0] != '[' || pending.size() > kLongestPrefix)
            return Match::No;
        size_t end = 1;
        while (end < pending.size() && isNameCharacter(pending[end]))
            ++end;
        if (end == pending.size())
            return Match::Partial;
        const size_t rest = pending.size() - end;
        if (end == 1 || rest > kMarker.size() || pending.compare(end, rest, kMarker, 0, rest) != 0)
            return Match::No;
        return rest == kMarker.size() ? Match::Full : Match::Partial;
    }

    bool flushPending(bool lineEnded)
    {
        state = lineEnded ? State::Start : State::Passing;
        const bool ok = writeAll(out, pending.data(), pending.size());
        pending.clear();
        return ok;
    }

    static constexpr size_t kLongestPrefix = 256;
    static inline const std::string kMarker = "] received: ";
    int out;
    State state = State::Start;
    std::string pending;
};

[[noreturn]] void runFilter(int in, int out)
{
    // Ctrl-C ends the tool; the filter stays to pass on what it wrote until then.
    std::signal(SIGINT, SIG_IGN);
    std::signal(SIGTERM, SIG_IGN);
    LineFilter lines(out);
    char buffer[4096];
    for (;;)
    {
        const ssize_t count = read(in, buffer, sizeof(buffer));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            break;
        for (ssize_t i = 0; i < count; ++i)
            if (!lines.take(buffer[i]))
                _exit(1);
    }
    lines.finish();
    _exit(0);
}

} // namespace

DiagnosticFilter::DiagnosticFilter()
{
    int ends[2];
    if (pipe(ends) != 0)
        return;
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    const pid_t child = saved < 0 ? -1 : fork();
    if (child < 0)
    {
        if (saved >= 0)
            close(saved);
        close(ends[0]);
        close(ends[1]);
        return;
    }
    if (child == 0)
    {
        // The filter holds nothing of the tool's but the pipe and the real standard
        // error, so a reader of the tool's output sees its end when the tool ends.
        close(ends[1]);
        close(STDIN_FILENO);
        close(STDOUT_FILENO);
        close(STDERR_FILENO);
        runFilter(ends[0], saved);
    }
    close(ends[0]);
    dup2(ends[1], STDERR_FILENO);
    close(ends[1]);
    savedError = saved;
    filter = child;
}

DiagnosticFilter::~DiagnosticFilter()
{
    if (savedError < 0)
        return;
    std::fflush(stderr);
    // The filter sees the end of its input once standard error no longer names the pipe.
    dup2(savedError, STDERR_FILENO);
    close(savedError);
    int status = 0;
    while (waitpid(filter, &status, 0) < 0 && errno == EINTR)
    {}
}

} // namespace Brumvale
