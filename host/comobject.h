// Reference counting and interface lookup for the host's own VST 3 objects, counted or
// kept by their owner.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <pluginterfaces/base/funknown.h>

#include <atomic>

namespace Brumvale::Host {

// Hands out self as Interface, or as FUnknown, with a reference added; refuses a
// null result pointer.
template <typename Interface>
Steinberg::tresult queryOne(Interface* self, const Steinberg::TUID iid, void** obj)
{
    if (!obj)
        return Steinberg::kInvalidArgument;
    if (Steinberg::FUnknownPrivate::iidEqual(iid, Steinberg::FUnknown::iid) ||
        Steinberg::FUnknownPrivate::iidEqual(iid, Interface::iid))
    {
        self->addRef();
        *obj = self;
        return Steinberg::kResultOk;
    }
    *obj = nullptr;
    return Steinberg::kNoInterface;
}

// FUnknown for an object that offers one interface, counted in the SDK's way: the
// count starts at 1 (create with owned(new ...)), may change on any thread, and
// the last release deletes the object.
template <typename Interface> class ComObject : public Interface
{
public:
    Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override
    {
        return queryOne<Interface>(this, iid, obj);
    }
    Steinberg::uint32 PLUGIN_API addRef() override { return ++references; }
    Steinberg::uint32 PLUGIN_API release() override
    {
        const Steinberg::uint32 left = --references;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    virtual ~ComObject() = default;

private:
    std::atomic<Steinberg::uint32> references{1};
};

// FUnknown for an object that offers one interface and that its owner keeps and
// deletes (a member, a local, a unique_ptr): addRef and release count nothing.
template <typename Interface> class OwnedObject : public Interface
{
public:
    Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override
    {
        return queryOne<Interface>(this, iid, obj);
    }
    Steinberg::uint32 PLUGIN_API addRef() override { return 1; }
    Steinberg::uint32 PLUGIN_API release() override { return 1; }
};

} // namespace Brumvale::Host
