// Loading a VST 3 module as hosts do, and what its factory lists.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pluginmodule.h"

#include "sharedlibrary.h"

#include <pluginterfaces/base/funknown.h>
#include <pluginterfaces/vst/ivstaudioprocessor.h>

#include <cstring>

namespace Brumvale::Host {

using namespace Steinberg;

namespace {

using GetFactoryFunc = IPluginFactory*(PLUGIN_API*)();

std::string fixedText(const char8* text, size_t capacity)
{
    return std::string(text, strnlen(text, capacity));
}

} // namespace

std::unique_ptr<PluginModule> PluginModule::load(const std::string& bundlePath, std::string& error)
{
    const std::string binaryPath = SharedLibrary::binaryPath(bundlePath, error);
    if (binaryPath.empty())
        return nullptr;

    std::unique_ptr<PluginModule> module(new PluginModule);
    module->bundle = bundlePath;
    module->binary = binaryPath;
    module->library = SharedLibrary::open(binaryPath, error);
    if (!module->library)
        return nullptr;

    auto getFactory = reinterpret_cast<GetFactoryFunc>(module->symbol("GetPluginFactory"));
    if (!getFactory)
    {
        error = "no GetPluginFactory in " + binaryPath;
        return nullptr;
    }
    module->pluginFactory = getFactory();
    if (!module->pluginFactory)
    {
        error = "GetPluginFactory returned no factory in " + binaryPath;
        return nullptr;
    }

    ClassInfo effect;
    if (!module->findClass(kVstAudioEffectClass, effect))
    {
        error = std::string("no audio effect class (category \"") + kVstAudioEffectClass +
                "\") in " + binaryPath;
        return nullptr;
    }
    return module;
}

PluginModule::~PluginModule() { unload(); }

void PluginModule::unload()
{
    // The factory goes before the module's exit function and the unloading.
    if (pluginFactory)
    {
        pluginFactory->release();
        pluginFactory = nullptr;
    }
    library.reset();
}

void* PluginModule::symbol(const char* name) const
{
    return library ? library->symbol(name) : nullptr;
}

FactoryInfo PluginModule::factoryInfo() const
{
    FactoryInfo result;
    PFactoryInfo info;
    if (pluginFactory && pluginFactory->getFactoryInfo(&info) == kResultOk)
    {
        result.vendor = fixedText(info.vendor, PFactoryInfo::kNameSize);
        result.url = fixedText(info.url, PFactoryInfo::kURLSize);
        result.email = fixedText(info.email, PFactoryInfo::kEmailSize);
        result.flags = info.flags;
    }
    return result;
}

std::vector<ClassInfo> PluginModule::classes() const
{
    std::vector<ClassInfo> result;
    if (!pluginFactory)
        return result;
    IPluginFactory2* factory2 = nullptr;
    if (pluginFactory->queryInterface(IPluginFactory2::iid, reinterpret_cast<void**>(&factory2)) !=
        kResultOk)
        factory2 = nullptr;

    const int32 count = pluginFactory->countClasses();
    for (int32 index = 0; index < count; ++index)
    {
        ClassInfo entry;
        PClassInfo info;
        if (pluginFactory->getClassInfo(index, &info) != kResultOk)
            continue;
        memcpy(entry.cid, info.cid, sizeof(TUID));
        entry.cidString = classIdString(info.cid);
        entry.cardinality = info.cardinality;
        entry.category = fixedText(info.category, PClassInfo::kCategorySize);
        entry.name = fixedText(info.name, PClassInfo::kNameSize);
        PClassInfo2 info2;
        if (factory2 && factory2->getClassInfo2(index, &info2) == kResultOk)
        {
            entry.hasInfo2 = true;
            entry.classFlags = info2.classFlags;
            entry.subCategories = fixedText(info2.subCategories, PClassInfo2::kSubCategoriesSize);
            entry.vendor = fixedText(info2.vendor, PClassInfo2::kVendorSize);
            entry.version = fixedText(info2.version, PClassInfo2::kVersionSize);
            entry.sdkVersion = fixedText(info2.sdkVersion, PClassInfo2::kVersionSize);
        }
        result.push_back(entry);
    }
    if (factory2)
        factory2->release();
    return result;
}

bool PluginModule::findClass(const std::string& category, ClassInfo& info) const
{
    for (const auto& entry : classes())
    {
        if (entry.category == category)
        {
            info = entry;
            return true;
        }
    }
    return false;
}

std::string PluginModule::classIdString(const TUID cid)
{
    char8 text[33] = {};
    FUID::fromTUID(cid).toString(text);
    return text;
}

} // namespace Brumvale::Host
