// The plug-in's identity as hosts see it: class IDs, vendor and version.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "brumvaleversion.h"
#include "pluginterfaces/base/funknown.h"

namespace Brumvale {

// The processor's and the controller's class IDs. FUID turns the four words into
// the platform's own byte order (on Windows the COM GUID order hosts compare), so
// the 32-hex-digit form is the same everywhere.
inline const Steinberg::FUID kProcessorClassId(0x74E8DE52, 0x82554F55, 0x86FAE415, 0x2C935A20);
inline const Steinberg::FUID kControllerClassId(0xC39D5B67, 0xC7AF41FD, 0x743F4AD0, 0x31EB03F3);

constexpr const char* kVendor = "Kelmarotte";
constexpr const char* kVersion = BRUMVALE_VERSION_TEXT;

} // namespace Brumvale
