// The module's class factory, standing in for the SDK helper that Debian's copy lacks.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Debian's copy of the VST 3 SDK lacks the class factory helper. This stand-in
// keeps the factory information and a list of registered classes with their
// creation functions, and answers IPluginFactory, IPluginFactory2 and
// IPluginFactory3 from them. Null pointers and indexes out of range are refused,
// and no exception leaves a call.

#include "pluginterfaces/base/ipluginbase.h"

#include <vector>

namespace Steinberg {

class CPluginFactory : public IPluginFactory3
{
public:
    using CreateFunction = FUnknown* (*)(void* context);

    explicit CPluginFactory(const PFactoryInfo& info);
    // Clears gPluginFactory when it points here, so the module builds a new
    // factory on the next request.
    virtual ~CPluginFactory();

    // False when an argument is null or memory runs out.
    bool registerClass(const PClassInfo2* info, CreateFunction createFunction,
                       void* context = nullptr);

    DECLARE_FUNKNOWN_METHODS

    // IPluginFactory
    tresult PLUGIN_API getFactoryInfo(PFactoryInfo* info) SMTG_OVERRIDE;
    int32 PLUGIN_API countClasses() SMTG_OVERRIDE;
    tresult PLUGIN_API getClassInfo(int32 index, PClassInfo* info) SMTG_OVERRIDE;
    tresult PLUGIN_API createInstance(FIDString cid, FIDString iid, void** obj) SMTG_OVERRIDE;
    // IPluginFactory2
    tresult PLUGIN_API getClassInfo2(int32 index, PClassInfo2* info) SMTG_OVERRIDE;
    // IPluginFactory3
    tresult PLUGIN_API getClassInfoUnicode(int32 index, PClassInfoW* info) SMTG_OVERRIDE;
    tresult PLUGIN_API setHostContext(FUnknown* context) SMTG_OVERRIDE;

private:
    struct ClassEntry
    {
        PClassInfo2 info;
        CreateFunction createFunction;
        void* context;
    };
    const ClassEntry* entry(int32 index) const;

    PFactoryInfo factoryInfo;
    std::vector<ClassEntry> classes;
};

// The module's live factory, or null.
extern CPluginFactory* gPluginFactory;

} // namespace Steinberg
