// The class factory stand-in: registered classes, their info in every form, and instance creation.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pluginfactory.h"

#include "common/interfaceguard.h"

#include <cstring>

namespace Steinberg {

CPluginFactory* gPluginFactory = nullptr;

CPluginFactory::CPluginFactory(const PFactoryInfo& info)
    : factoryInfo(info){FUNKNOWN_CTOR}

      CPluginFactory::~CPluginFactory()
{
    if (gPluginFactory == this)
        gPluginFactory = nullptr;
    FUNKNOWN_DTOR
}

IMPLEMENT_REFCOUNT(CPluginFactory)

tresult PLUGIN_API CPluginFactory::queryInterface(const TUID _iid, void** obj)
{
    if (!Brumvale::answerableQuery(_iid, obj))
        return kInvalidArgument;
    QUERY_INTERFACE(_iid, obj, IPluginFactory::iid, IPluginFactory)
    QUERY_INTERFACE(_iid, obj, IPluginFactory2::iid, IPluginFactory2)
    QUERY_INTERFACE(_iid, obj, IPluginFactory3::iid, IPluginFactory3)
    QUERY_INTERFACE(_iid, obj, FUnknown::iid, IPluginFactory)
    *obj = nullptr;
    return kNoInterface;
}

bool CPluginFactory::registerClass(const PClassInfo2* info, CreateFunction createFunction,
                                   void* context)
{
    if (!info || !createFunction)
        return false;
    return Brumvale::guarded([&] {
               classes.push_back({*info, createFunction, context});
               return kResultOk;
           }) == kResultOk;
}

const CPluginFactory::ClassEntry* CPluginFactory::entry(int32 index) const
{
    if (index < 0 || index >= static_cast<int32>(classes.size()))
        return nullptr;
    return &classes[size_t(index)];
}

tresult PLUGIN_API CPluginFactory::getFactoryInfo(PFactoryInfo* info)
{
    if (!info)
        return kInvalidArgument;
    *info = factoryInfo;
    return kResultOk;
}

int32 PLUGIN_API CPluginFactory::countClasses() { return static_cast<int32>(classes.size()); }

tresult PLUGIN_API CPluginFactory::getClassInfo(int32 index, PClassInfo* info)
{
    const ClassEntry* found = entry(index);
    if (!info || !found)
        return kInvalidArgument;
    std::memcpy(info->cid, found->info.cid, sizeof(TUID));
    info->cardinality = found->info.cardinality;
    std::memcpy(info->category, found->info.category, sizeof(info->category));
    std::memcpy(info->name, found->info.name, sizeof(info->name));
    return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfo2(int32 index, PClassInfo2* info)
{
    const ClassEntry* found = entry(index);
    if (!info || !found)
        return kInvalidArgument;
    *info = found->info;
    return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfoUnicode(int32 index, PClassInfoW* info)
{
    const ClassEntry* found = entry(index);
    if (!info || !found)
        return kInvalidArgument;
    info->fromAscii(found->info);
    return kResultOk;
}

tresult PLUGIN_API CPluginFactory::createInstance(FIDString cid, FIDString iid, void** obj)
{
    if (!obj)
        return kInvalidArgument;
    *obj = nullptr;
    if (!cid || !iid)
        return kInvalidArgument;
    for (const ClassEntry& candidate : classes)
    {
        if (std::memcmp(candidate.info.cid, cid, sizeof(TUID)) != 0)
            continue;
        FUnknown* instance = nullptr;
        const tresult created = Brumvale::guarded([&] {
            instance = candidate.createFunction(candidate.context);
            return instance ? kResultOk : kOutOfMemory;
        });
        if (created != kResultOk)
            return created;
        // The interface asked for holds its own reference; the creation one goes.
        const tresult result = instance->queryInterface(iid, obj);
        instance->release();
        return result == kResultOk ? kResultOk : kNoInterface;
    }
    return kNoInterface;
}

tresult PLUGIN_API CPluginFactory::setHostContext(FUnknown*) { return kNotImplemented; }

} // namespace Steinberg
