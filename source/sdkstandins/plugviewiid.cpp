// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
// No translation unit of Debian's SDK copy defines the interface IDs of the view
// and its frame, which the SDK's view helpers, the editor and the project's host
// refer to.
#include "pluginterfaces/gui/iplugview.h"

namespace Steinberg {
DEF_CLASS_IID(IPlugView)
DEF_CLASS_IID(IPlugFrame)
} // namespace Steinberg
