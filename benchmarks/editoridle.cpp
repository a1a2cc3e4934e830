// What an open editor costs while nobody touches it: the built bundle's view in an
// X window of the project's host, its run loop turning for ten seconds. Prints the
// process's CPU time over that span as a share of one core, beside the same loop
// waking a do-nothing 50 ms timer (what the host's waking alone costs). Needs a
// display (xvfb-run).
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linux/hostwindow.h"
#include "linux/runloop.h"
#include "plugininstance.h"
#include "pluginmodule.h"

#include <sys/resource.h>

#include <cstdio>
#include <string>

namespace {

using namespace Steinberg;

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

// The host's loop with a timer that does nothing, as often as the editor's.
class Sleeper : public Brumvale::Host::OwnedObject<Linux::ITimerHandler>
{
public:
    void PLUGIN_API onTimer() override {}
};

double cpuShare(Brumvale::Host::RunLoop& loop, int seconds)
{
    const double before = cpuSeconds();
    loop.runFor(seconds * 1000);
    return 100.0 * (cpuSeconds() - before) / seconds;
}

int fail(const std::string& message)
{
    std::fprintf(stderr, "brumvale_editor_idle: %s\n", message.c_str());
    return 1;
}

} // namespace

int main()
{
    using namespace Brumvale::Host;
    constexpr int kSeconds = 10;
    std::string error;
    auto module = PluginModule::load(BRUMVALE_BUNDLE_PATH, error);
    if (!module)
        return fail(error);
    ClassInfo effect;
    if (!module->findClass(kVstAudioEffectClass, effect))
        return fail("no effect class");
    auto instance = PluginInstance::create(*module, effect.cid, error);
    if (!instance || instance->open() != kResultOk)
        return fail("the plug-in does not open: " + error);
    IPtr<RunLoop> loop = owned(new RunLoop);
    Sleeper sleeper;
    loop->registerTimer(&sleeper, 50);
    const double waking = cpuShare(*loop, kSeconds);
    loop->unregisterTimer(&sleeper);

    auto window = HostWindow::open(*loop, ViewRect(0, 0, 180, 240), error);
    if (!window)
        return fail(error);
    IPtr<IPlugView> view = owned(instance->controller()->createView("editor"));
    if (!view || window->attach(view) != kResultOk)
        return fail("the editor does not attach");
    loop->runFor(1000); // drawn and settled

    const double idle = cpuShare(*loop, kSeconds);
    std::printf("host loop waking every 50 ms: %.3f %% of one core\n", waking);
    std::printf("with an open, idle editor:    %.3f %% of one core (the editor: %.3f %%)\n", idle,
                idle - waking);
    window->detach();
    return 0;
}
