// A VST 3 module whose factory offers no audio effect class.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pluginterfaces/base/ipluginbase.h"

#include <cstring>

using namespace Steinberg;

namespace {

class EmptyFactory : public IPluginFactory
{
public:
    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override
    {
        if (std::memcmp(iid, IPluginFactory::iid, sizeof(TUID)) == 0 ||
            std::memcmp(iid, FUnknown::iid, sizeof(TUID)) == 0)
        {
            *obj = this;
            return kResultOk;
        }
        *obj = nullptr;
        return kNoInterface;
    }
    uint32 PLUGIN_API addRef() override { return 1; }
    uint32 PLUGIN_API release() override { return 1; }
    tresult PLUGIN_API getFactoryInfo(PFactoryInfo* info) override
    {
        *info = PFactoryInfo("Nobody", "", "", 0);
        return kResultOk;
    }
    int32 PLUGIN_API countClasses() override { return 0; }
    tresult PLUGIN_API getClassInfo(int32, PClassInfo*) override { return kInvalidArgument; }
    tresult PLUGIN_API createInstance(FIDString, FIDString, void** obj) override
    {
        *obj = nullptr;
        return kNoInterface;
    }
};

EmptyFactory factory;

} // namespace

SMTG_EXPORT_SYMBOL IPluginFactory* PLUGIN_API GetPluginFactory() { return &factory; }
