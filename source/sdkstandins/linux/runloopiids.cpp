// The interface IDs of the Linux run loop, which no translation unit of Debian's
// SDK copy defines; the editor and the project's host refer to them.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pluginterfaces/gui/iplugview.h"

namespace Steinberg {
namespace Linux {
DEF_CLASS_IID(IRunLoop)
DEF_CLASS_IID(IEventHandler)
DEF_CLASS_IID(ITimerHandler)
} // namespace Linux
} // namespace Steinberg
