// The diagnostic-line filter on Linux: the worker is a forked child writing into a pipe.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/diagnosticfilter.h"

#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
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
    // What of data passes goes to out.
    void take(const char* data, size_t size, std::string& out)
    {
        for (size_t i = 0; i < size; ++i)
            take(data[i], out);
    }

    // A line still undecided when the input ends passes.
    void finish(std::string& out) { flushPending(false, out); }

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

    void take(char c, std::string& out)
    {
        const bool lineEnd = c == '\n' || c == '\r';
        switch (state)
        {
        case State::Passing:
            out += c;
            if (lineEnd)
                state = State::Start;
            return;
        case State::Dropping:
            if (lineEnd)
                state = State::Start;
            return;
        case State::Start:
            break;
        }
        pending += c;
        const Match match = lineEnd ? Match::No : matchDiagnostic();
        if (match == Match::Full)
        {
            pending.clear();
            state = State::Dropping;
        }
        else if (match == Match::No)
            flushPending(lineEnd, out);
    }

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

    void flushPending(bool lineEnded, std::string& out)
    {
        state = lineEnded ? State::Start : State::Passing;
        out += pending;
        pending.clear();
    }

    static constexpr size_t kLongestPrefix = 256;
    static inline const std::string kMarker = "] received: ";
    State state = State::Start;
    std::string pending;
};

pid_t worker = 0;

void forwardToWorker(int signal) { kill(worker, signal); }

// Filters the worker's standard error until its end, then ends as the worker did.
[[noreturn]] void runFilter(int in)
{
    // Ctrl-C reaches the worker from the terminal as well; forwarding covers a
    // signal sent to this process alone. The filter itself stays until the end.
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT})
        std::signal(signal, forwardToWorker);
    std::signal(SIGPIPE, SIG_IGN);
    LineFilter lines;
    std::string out;
    bool writable = true;
    char buffer[4096];
    for (;;)
    {
        const ssize_t count = read(in, buffer, sizeof(buffer));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            break;
        out.clear();
        lines.take(buffer, size_t(count), out);
        // A closed standard error still lets the worker run to its end.
        writable = writable && writeAll(STDERR_FILENO, out.data(), out.size());
    }
    out.clear();
    lines.finish(out);
    if (writable)
        writeAll(STDERR_FILENO, out.data(), out.size());

    int status = 0;
    while (waitpid(worker, &status, 0) < 0)
        if (errno != EINTR)
            _exit(EXIT_FAILURE);
    if (WIFSIGNALED(status))
    {
        const int signal = WTERMSIG(status);
        std::signal(signal, SIG_DFL);
        sigset_t only;
        sigemptyset(&only);
        sigaddset(&only, signal);
        sigprocmask(SIG_UNBLOCK, &only, nullptr);
        raise(signal);
    }
    _exit(WIFEXITED(status) ? WEXITSTATUS(status) : EXIT_FAILURE);
}

} // namespace

void filterDiagnostics()
{
    int ends[2];
    if (pipe(ends) != 0)
        return;
    std::fflush(stderr);
    const pid_t child = fork();
    if (child < 0)
    {
        close(ends[0]);
        close(ends[1]);
        return;
    }
    if (child > 0)
    {
        // Holds nothing of the worker's but the pipe, so that a reader of the tool's
        // standard output sees its end when the worker ends.
        worker = child;
        close(ends[1]);
        close(STDIN_FILENO);
        close(STDOUT_FILENO);
        runFilter(ends[0]);
    }
    close(ends[0]);
    dup2(ends[1], STDERR_FILENO);
    close(ends[1]);
}

} // namespace Brumvale
