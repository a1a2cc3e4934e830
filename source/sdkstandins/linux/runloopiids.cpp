// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
// The interface IDs of the Linux run loop, which no translation unit of Debian's
// SDK copy defines; the editor and the project's host refer to them.
#include "pluginterfaces/gui/iplugview.h"

namespace Steinberg {
namespace Linux {
DEF_CLASS_IID(IRunLoop)
DEF_CLASS_IID(IEventHandler)
DEF_CLASS_IID(ITimerHandler)
} // namespace Linux
} // namespace Steinberg
