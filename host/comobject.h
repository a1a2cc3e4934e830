// Reference counting and interface lookup for the host's own VST 3 objects.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <pluginterfaces/base/funknown.h>

#include <atomic>

namespace Brumvale::Host {

// FUnknown for an object that offers one interface: queryInterface hands out that
// interface, or FUnknown, with a reference added, and refuses a null result
// pointer. The count starts at 1 (create with owned(new ...)), may change on any
// thread, and the last release deletes the object.
template <typename Interface> class ComObject : public Interface
{
public:
    Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override
    {
        if (!obj)
            return Steinberg::kInvalidArgument;
        if (Steinberg::FUnknownPrivate::iidEqual(iid, Steinberg::FUnknown::iid) ||
            Steinberg::FUnknownPrivate::iidEqual(iid, Interface::iid))
        {
            addRef();
            *obj = static_cast<Interface*>(this);
            return Steinberg::kResultOk;
        }
        *obj = nullptr;
        return Steinberg::kNoInterface;
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

} // namespace Brumvale::Host
