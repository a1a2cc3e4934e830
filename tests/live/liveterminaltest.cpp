// brumvale live --no-editor on a terminal (a pseudo-terminal of the test's): the
// keys play the parameters, q ends, and the terminal is as it was.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "jackfixtures.h"
#include "spectrum.h"

#include <gtest/gtest.h>

#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <mutex>
#include <string>
#include <thread>

namespace Brumvale {
namespace {

using namespace Testing;

// brumvale live --no-editor with a pseudo-terminal as its standard input and
// output; a thread reads all it shows, so that it never waits to write.
class TerminalSession
{
public:
    explicit TerminalSession(const char* const* arguments)
    {
        pid = forkpty(&master, nullptr, nullptr, nullptr);
        if (pid == 0)
        {
            execv(BRUMVALE_TOOL, const_cast<char* const*>(arguments));
            _exit(127);
        }
        if (pid > 0)
            reader = std::thread([this] { readAll(); });
    }
    ~TerminalSession()
    {
        if (pid > 0 && !ended)
            waitForExit(pid);
        if (reader.joinable())
            reader.join();
        if (master >= 0)
            close(master);
    }
    bool started() const { return pid > 0; }
    void type(const std::string& keys) const
    {
        ASSERT_EQ(write(master, keys.data(), keys.size()), ssize_t(keys.size()));
    }
    bool shows(const std::string& text) const
    {
        return waitFor(
            [&] {
                std::lock_guard<std::mutex> hold(lock);
                return shown.find(text) != std::string::npos;
            },
            std::chrono::seconds(60));
    }
    // The exit status; the terminal's settings after the end in settings. All the
    // program showed has been read by then.
    int end(termios& settings)
    {
        ended = true;
        const int status = waitForExit(pid);
        tcgetattr(master, &settings);
        if (reader.joinable())
            reader.join();
        return status;
    }
    std::string output() const
    {
        std::lock_guard<std::mutex> hold(lock);
        return shown;
    }

private:
    void readAll()
    {
        char buffer[4096];
        for (ssize_t count; (count = read(master, buffer, sizeof buffer)) > 0;)
        {
            std::lock_guard<std::mutex> hold(lock);
            shown.append(buffer, size_t(count));
        }
    }

    int master = -1;
    pid_t pid = -1;
    bool ended = false;
    std::thread reader;
    mutable std::mutex lock;
    std::string shown;
};

TEST(LiveTerminal, KeysPlayTheParametersAndQEnds)
{
    DummyServer server;
    ASSERT_TRUE(server.running) << "jackd (dummy driver) did not start";
    TestClient tester;
    ASSERT_TRUE(tester.ready());
    const char* const arguments[] = {BRUMVALE_TOOL, "live",  "--no-editor", "--in",
                                     "tester:out",  "--out", "tester:in",   nullptr};
    TerminalSession terminal(arguments);
    ASSERT_TRUE(terminal.started());
    ASSERT_TRUE(terminal.shows("keys: up/down Boost, right/left Volume, b Bypass, h HiFi, "
                               "w Warmth, q ends; Ctrl-C ends"));
    tester.play();
    const double plain = rmsLevel(listen(tester, 1.0));

    std::string eighteenUps;
    for (int press = 0; press < 18; ++press)
        eighteenUps += "\x1b[A";
    terminal.type(eighteenUps);
    EXPECT_TRUE(terminal.shows("Boost 18.0 dB"));
    const std::vector<float> boosted = listen(tester, 1.0);
    EXPECT_GT(rmsLevel(boosted), 1.5 * plain) << "the up arrow did not raise Boost";
    EXPECT_NEAR(strongestFrequency(boosted, kJackRate), 440.0, 5.0);

    terminal.type("\x1b[D\x1b[D\x1b[D\x1b[D\x1b[D\x1b[D");
    EXPECT_TRUE(terminal.shows("Volume -6.0 dB"));
    EXPECT_LT(rmsLevel(listen(tester, 1.0)), 0.7 * rmsLevel(boosted))
        << "the left arrow did not lower Volume";

    // Bypassed, the sine comes through as it went in.
    terminal.type("b");
    EXPECT_TRUE(terminal.shows("Bypass On"));
    EXPECT_NEAR(strongestFrequency(listen(tester, 1.0), kJackRate), 220.0, 5.0);

    terminal.type("q");
    termios settings{};
    EXPECT_EQ(terminal.end(settings), 0) << "it showed:\n" << terminal.output();
    EXPECT_EQ(settings.c_lflag & (ICANON | ECHO), tcflag_t(ICANON | ECHO))
        << "the terminal was left without line editing or echo";
}

} // namespace
} // namespace Brumvale
