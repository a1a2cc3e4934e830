// brumvale info: what a VST 3 bundle registers, as a host sees it.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commands/commands.h"
#include "session/effectsession.h"
#include "text.h"

#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstmidicontrollers.h"
#include "pluginterfaces/vst/ivstunits.h"

#include <cstdio>
#include <string>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace Brumvale {
namespace {

std::string flagNames(int32 flags)
{
    std::string names;
    const auto add = [&](int32 flag, const char* name) {
        if (flags & flag)
            names += (names.empty() ? "" : "|") + std::string(name);
    };
    add(ParameterInfo::kCanAutomate, "automatable");
    add(ParameterInfo::kIsReadOnly, "read-only");
    add(ParameterInfo::kIsWrapAround, "wrap-around");
    add(ParameterInfo::kIsList, "list");
    add(ParameterInfo::kIsHidden, "hidden");
    add(ParameterInfo::kIsProgramChange, "program-change");
    add(ParameterInfo::kIsBypass, "bypass");
    return names.empty() ? "-" : names;
}

void printBusses(IComponent* component, BusDirection direction, const char* name)
{
    const int32 count = component->getBusCount(kAudio, direction);
    for (int32 i = 0; i < count; ++i)
    {
        BusInfo info{};
        if (component->getBusInfo(kAudio, direction, i, info) == kResultOk)
            std::printf("  %s %d: \"%s\", %d channel%s%s\n", name, int(i),
                        Host::toUtf8(info.name).c_str(), int(info.channelCount),
                        info.channelCount == 1 ? "" : "s",
                        info.busType == kMain ? ", main" : ", auxiliary");
    }
}

int info(const std::string& plugin)
{
    std::string error;
    const std::string bundle = plugin.empty() ? defaultBundle() : plugin;
    auto session = EffectSession::open(bundle, error);
    if (!session)
        return reportFailure(error);
    const Host::FactoryInfo factory = session->module().factoryInfo();
    std::printf("Bundle: %s\nFactory: vendor \"%s\", url \"%s\", e-mail \"%s\", flags %d\n",
                bundle.c_str(), factory.vendor.c_str(), factory.url.c_str(), factory.email.c_str(),
                int(factory.flags));
    std::printf("Classes:\n");
    for (const Host::ClassInfo& info : session->module().classes())
        std::printf("  %s \"%s\" [%s] sub-categories \"%s\", flags %u, version %s, %s\n",
                    info.cidString.c_str(), info.name.c_str(), info.category.c_str(),
                    info.subCategories.c_str(), unsigned(info.classFlags), info.version.c_str(),
                    info.sdkVersion.c_str());

    std::printf("Busses:\n");
    IComponent* component = session->instance().component();
    printBusses(component, kInput, "input");
    printBusses(component, kOutput, "output");

    if (auto* units = session->instance().controllerAs<IUnitInfo>())
    {
        std::printf("Units:\n");
        for (int32 i = 0; i < units->getUnitCount(); ++i)
        {
            UnitInfo unit{};
            if (units->getUnitInfo(i, unit) == kResultOk)
                std::printf("  %d \"%s\", parent %d, program list %d\n", int(unit.id),
                            Host::toUtf8(unit.name).c_str(), int(unit.parentUnitId),
                            int(unit.programListId));
        }
        units->release();
    }

    IEditController* controller = session->instance().controller();
    std::printf("Parameters:\n");
    for (int32 i = 0; i < controller->getParameterCount(); ++i)
    {
        ParameterInfo info{};
        if (controller->getParameterInfo(i, info) != kResultOk)
            continue;
        const ParamValue value = controller->getParamNormalized(info.id);
        std::printf("  %u \"%s\" unit %d, steps %d, %s, default %g (%s), value %g (%s)%s%s\n",
                    unsigned(info.id), Host::toUtf8(info.title).c_str(), int(info.unitId),
                    int(info.stepCount), flagNames(info.flags).c_str(), info.defaultNormalizedValue,
                    session->parameters().displayText(info.id, info.defaultNormalizedValue).c_str(),
                    value, session->parameters().displayText(info.id, value).c_str(),
                    info.units[0] ? ", units " : "", Host::toUtf8(info.units).c_str());
    }

    if (auto* midi = session->instance().controllerAs<IMidiMapping>())
    {
        std::printf("MIDI controllers (bus 0, every channel):\n");
        for (int16 number = 0; number < kCountCtrlNumber; ++number)
        {
            ParamID id = 0;
            if (midi->getMidiControllerAssignment(0, 0, number, id) == kResultOk)
                std::printf("  controller %d -> parameter %u\n", int(number), unsigned(id));
        }
        midi->release();
    }
    return 0;
}

int run(const std::vector<std::string>& arguments)
{
    std::string plugin, error;
    OptionParser parser;
    parser.value("--plugin", plugin);
    std::vector<std::string> rest;
    if (!parser.parse(arguments, rest, error) || !rest.empty())
        return usageError(error.empty() ? "info takes only --plugin PATH" : error);
    return info(plugin);
}

} // namespace

const Command kInfoCommand = {
    "info",
    "  info [--plugin PATH]      what the plug-in registers: classes, busses, units,\n"
    "                            parameters with their values, MIDI controllers\n",
    nullptr,
    run,
};

} // namespace Brumvale
