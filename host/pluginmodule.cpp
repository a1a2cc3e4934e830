// Brumvale host library: loading a VST 3 module bundle as Linux hosts do.
// GPL-3.0-or-later.
#include "pluginmodule.h"

#include <pluginterfaces/base/funknown.h>
#include <pluginterfaces/vst/ivstaudioprocessor.h>

#include <cstring>
#include <dlfcn.h>
#include <sys/stat.h>

namespace Brumvale::Host {

using namespace Steinberg;

namespace {

using ModuleEntryFunc = bool (*)(void*);
using ModuleExitFunc = bool (*)();
using GetFactoryFunc = IPluginFactory* (*)();

bool isDirectory(const std::string& path)
{
    struct stat info = {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool exists(const std::string& path)
{
    struct stat info = {};
    return stat(path.c_str(), &info) == 0;
}

// "dir/X.vst3/" -> "X"
std::string bundleStem(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    const auto slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::string suffix = ".vst3";
    if (name.size() > suffix.size() &&
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
        name.erase(name.size() - suffix.size());
    return name;
}

std::string fixedText(const char8* text, size_t capacity)
{
    return std::string(text, strnlen(text, capacity));
}

} // namespace

std::unique_ptr<PluginModule> PluginModule::load(const std::string& bundlePath, std::string& error)
{
    if (!exists(bundlePath))
    {
        error = "module not found: " + bundlePath;
        return nullptr;
    }
    const std::string stem = bundleStem(bundlePath);
    const std::string binaryPath = bundlePath + "/Contents/x86_64-linux/" + stem + ".so";
    if (!isDirectory(bundlePath) || !exists(binaryPath))
    {
        error = "not a VST 3 bundle (no Contents/x86_64-linux/" + stem + ".so): " + bundlePath;
        return nullptr;
    }

    std::unique_ptr<PluginModule> module(new PluginModule);
    module->bundle = bundlePath;
    module->binary = binaryPath;
    module->handle = dlopen(binaryPath.c_str(), RTLD_LAZY | RTLD_LOCAL);
    if (!module->handle)
    {
        const char* reason = dlerror();
        error = "cannot load " + binaryPath + ": " + (reason ? reason : "unknown dlopen error");
        return nullptr;
    }

    // ModuleEntry is optional for the loader but, when present, must succeed first.
    if (auto entry = reinterpret_cast<ModuleEntryFunc>(module->symbol("ModuleEntry")))
    {
        if (!entry(module->handle))
        {
            error = "ModuleEntry failed in " + binaryPath;
            return nullptr;
        }
        module->entered = true;
    }

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
    if (pluginFactory)
    {
        pluginFactory->release();
        pluginFactory = nullptr;
    }
    if (entered)
    {
        if (auto exitFunc = reinterpret_cast<ModuleExitFunc>(symbol("ModuleExit")))
            exitFunc();
        entered = false;
    }
    if (handle)
    {
        dlclose(handle);
        handle = nullptr;
    }
}

void* PluginModule::symbol(const char* name) const
{
    return handle ? dlsym(handle, name) : nullptr;
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
