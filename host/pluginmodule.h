// Brumvale host library: loading a VST 3 module bundle as Linux hosts do.
// GPL-3.0-or-later.
#pragma once

#include "classinfo.h"

#include <pluginterfaces/base/ipluginbase.h>

#include <memory>
#include <string>
#include <vector>

namespace Brumvale::Host {

// A loaded module: the shared object inside the bundle and its class factory. Unloading
// follows the Linux module contract: release the factory, ModuleExit, dlclose.
class PluginModule
{
public:
    // Loads "X.vst3/Contents/x86_64-linux/X.so". On failure returns null and puts a
    // readable reason into error.
    static std::unique_ptr<PluginModule> load(const std::string& bundlePath, std::string& error);

    ~PluginModule();
    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;

    const std::string& bundlePath() const { return bundle; }
    const std::string& binaryPath() const { return binary; }
    Steinberg::IPluginFactory* factory() const { return pluginFactory; }

    // Looks up an exported symbol of the loaded binary (null when absent).
    void* symbol(const char* name) const;

    FactoryInfo factoryInfo() const;
    std::vector<ClassInfo> classes() const;
    // The first class of the given category ("Audio Module Class" for effects).
    bool findClass(const std::string& category, ClassInfo& info) const;

    // Hex text of a class ID, 32 upper-case digits.
    static std::string classIdString(const Steinberg::TUID cid);

private:
    PluginModule() = default;
    void unload();

    std::string bundle;
    std::string binary;
    void* handle = nullptr;
    bool entered = false;
    Steinberg::IPluginFactory* pluginFactory = nullptr;
};

} // namespace Brumvale::Host
