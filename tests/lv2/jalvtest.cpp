// Brumvale.lv2 in jalv, the LV2 reference host, on a JACK server of the test's own:
// a sine comes out an octave up through either plug-in, and values no port should
// hold, typed at jalv's prompt, leave the sound finite and the octave there.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "jackfixtures.h"
#include "spectrum.h"

#include "lv2/lv2ports.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace Brumvale {
namespace {

using namespace Testing;
namespace fs = std::filesystem;

// jalv running the plug-in as the JACK client "name", its prompt fed through a pipe
// and its output kept in a file for the failure message.
class Jalv
{
public:
    Jalv(const char* uri, const std::string& name, const fs::path& log)
    {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        pid = fork();
        if (pid == 0)
        {
            setpgid(0, 0); // a group of its own, which waitForExit can end whole
            dup2(fds[0], 0);
            close(fds[1]);
            sendOutputTo(log.c_str(), true);
            // Line by line, so the log shows each value as jalv sets it.
            execlp("stdbuf", "stdbuf", "-oL", "jalv", "-x", "-n", name.c_str(), "-c", "boost=18",
                   uri, nullptr);
            _exit(127);
        }
        close(fds[0]);
        prompt = fdopen(fds[1], "w");
    }
    ~Jalv()
    {
        if (prompt)
            std::fclose(prompt);
    }
    // A line at jalv's prompt, as a user types it.
    void type(const std::string& line)
    {
        std::fprintf(prompt, "%s\n", line.c_str());
        std::fflush(prompt);
    }
    // Interrupted as a user does with Ctrl-C: its exit status.
    int end()
    {
        kill(-pid, SIGINT);
        return waitForExit(pid);
    }

    pid_t pid = -1;

private:
    FILE* prompt = nullptr;
};

std::string contents(const fs::path& file)
{
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(Jalv, PlaysTheOctaveAndKeepsBadValuesOutOfTheSound)
{
    DummyServer server;
    ASSERT_TRUE(server.running) << "jackd (dummy driver) did not start";
    TestClient tester;
    ASSERT_TRUE(tester.ready());
    // lilv in jalv finds the build's bundle (and the LV2 specifications) there.
    const fs::path folder =
        fs::temp_directory_path() / ("brumvale-jalv-" + std::to_string(getpid()));
    fs::create_directories(folder / "lv2");
    fs::create_directory_symlink(BRUMVALE_LV2_BUNDLE_PATH, folder / "lv2/Brumvale.lv2");
    setenv("LV2_PATH", ((folder / "lv2").string() + ":/usr/lib/lv2").c_str(), 1);
    tester.play();

    for (const Lv2::PluginKind& kind : Lv2::kPluginKinds)
    {
        SCOPED_TRACE(kind.uri);
        const std::string name = std::string("brumvale-") + kind.tag;
        const fs::path log = folder / (name + ".log");
        Jalv jalv(kind.uri, name, log);
        ASSERT_GT(jalv.pid, 0);
        const std::string in = name + (kind.channels == 1 ? ":in" : ":in_l");
        const std::string out = name + (kind.channels == 1 ? ":out" : ":out_l");
        // Ports appear before jalv activates its client, and connect only then.
        const auto connect = [&](const std::string& from, const std::string& to) {
            return waitFor(
                [&] {
                    const int result = jack_connect(tester.handle(), from.c_str(), to.c_str());
                    return result == 0 || result == EEXIST;
                },
                std::chrono::seconds(60));
        };
        ASSERT_TRUE(connect("tester:out", in)) << "jalv's ports did not come; it said:\n"
                                               << contents(log);
        if (kind.channels == 2)
        {
            ASSERT_TRUE(connect("tester:out", name + ":in_r"));
        }
        ASSERT_TRUE(connect(out, "tester:in"));
        const std::vector<float> octave = listen(tester, 2.0);
        ASSERT_FALSE(octave.empty());
        EXPECT_NEAR(strongestFrequency(octave, kJackRate), 440.0, 5.0);
        EXPECT_GT(peakLevel(octave), 0.05);

        for (const char* line : {"boost=nan", "volume=inf", "antialias=-inf", "bypass=nan",
                                 "enabled=nan", "warmth=1e30", "volume=-1e30", "volume=-6"})
            jalv.type(line);
        // jalv echoes each value it sets: listen once the last has come through.
        ASSERT_TRUE(
            waitFor([&] { return contents(log).find("volume = -6.000000") != std::string::npos; },
                    std::chrono::seconds(60)))
            << "jalv did not take the values; it said:\n"
            << contents(log);
        const std::vector<float> after = listen(tester, 2.0);
        ASSERT_FALSE(after.empty());
        EXPECT_TRUE(
            std::all_of(after.begin(), after.end(), [](float s) { return std::isfinite(s); }));
        EXPECT_NEAR(strongestFrequency(after, kJackRate), 440.0, 5.0);
        EXPECT_GT(peakLevel(after), 0.02);
        EXPECT_EQ(jalv.end(), 0);
        if (HasFailure())
            ADD_FAILURE() << "jalv said:\n" << contents(log);
    }
    fs::remove_all(folder);
}

} // namespace
} // namespace Brumvale
