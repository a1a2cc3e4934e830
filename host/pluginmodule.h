// Loading a VST 3 module as hosts do, and what its factory lists.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "classinfo.h"

#include <pluginterfaces/base/ipluginbase.h>

#include <memory>
#include <string>
#include <vector>

namespace Brumvale::Host {

class SharedLibrary;

// A loaded module: its binary and its class factory. Unloading follows the module
// contract: release the factory, call the exit function (ModuleExit, ExitDll), unload.
class PluginModule
{
public:
    // Loads the module at bundlePath: on Linux the bundle "X.vst3" with
    // Contents/x86_64-linux/X.so; on Windows the DLL "X.vst3" itself or a bundle folder
    // that holds it. On failure returns null and puts a readable reason into error.
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
    std::unique_ptr<SharedLibrary> library;
    Steinberg::IPluginFactory* pluginFactory = nullptr;
};

} // namespace Brumvale::Host
