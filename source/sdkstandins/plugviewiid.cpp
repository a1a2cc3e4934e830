// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
// No translation unit of Debian's SDK copy defines the IPlugView interface ID,
// which the SDK's view helpers refer to.
#include "pluginterfaces/gui/iplugview.h"

namespace Steinberg {
DEF_CLASS_IID(IPlugView)
}
