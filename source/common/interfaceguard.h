// Keeps exceptions and null pointers from crossing the plug-in's VST 3 calls.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pluginterfaces/base/funknown.h"

#include <new>

namespace Brumvale {

// Runs one interface operation so that no exception leaves it: the host is built
// apart from the plug-in (on Windows with its own exception model), so an exception
// crossing a VST 3 call would end the host. Allocation failure answers
// kOutOfMemory, anything else kInternalError.
template <class Operation> Steinberg::tresult guarded(Operation&& operation) noexcept
{
    try
    {
        return operation();
    }
    catch (const std::bad_alloc&)
    {
        return Steinberg::kOutOfMemory;
    }
    catch (...)
    {
        return Steinberg::kInternalError;
    }
}

// Whether a queryInterface call can be answered at all: the SDK's lookup reads the
// ID and writes the out pointer without checking either. A given out pointer is
// cleared when the ID is missing.
inline bool answerableQuery(const Steinberg::TUID iid, void** obj)
{
    if (obj && !iid)
        *obj = nullptr;
    return iid && obj;
}

} // namespace Brumvale
