// A VST 3 module that dies while the host asks for its factory, after writing a
// diagnostic line and a last word to standard error.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pluginterfaces/base/ipluginbase.h"

#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

SMTG_EXPORT_SYMBOL Steinberg::IPluginFactory* PLUGIN_API GetPluginFactory()
{
    const rlimit noCoreFile{0, 0};
    setrlimit(RLIMIT_CORE, &noCoreFile);
    std::fputs("[Crasher] received: a diagnostic line\n", stderr);
    std::fputs("crasher: the factory is broken, giving up\n", stderr);
    std::abort();
}
