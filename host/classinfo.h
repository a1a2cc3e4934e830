// Host library: what a module's factory says about itself and its classes.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <pluginterfaces/base/funknown.h>

#include <cstdint>
#include <string>

namespace Brumvale::Host {

// The factory's own description (PFactoryInfo).
struct FactoryInfo
{
    std::string vendor;
    std::string url;
    std::string email;
    std::int32_t flags = 0;
};

// One class as the factory lists it; the fields of PClassInfo2 stay empty when the
// factory only answers IPluginFactory.
struct ClassInfo
{
    Steinberg::TUID cid = {};
    std::string cidString; // 32 hex digits, as hosts compare class IDs
    std::int32_t cardinality = 0;
    std::string category;
    std::string name;
    bool hasInfo2 = false;
    std::uint32_t classFlags = 0;
    std::string subCategories;
    std::string vendor;
    std::string version;
    std::string sdkVersion;
};

} // namespace Brumvale::Host
