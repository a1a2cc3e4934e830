// No translation unit of Debian's SDK copy defines the interface IDs of the view,
// its frame and its content scale, which the SDK's view helpers, the editor and
// the project's host refer to.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"

namespace Steinberg {
DEF_CLASS_IID(IPlugView)
DEF_CLASS_IID(IPlugFrame)
DEF_CLASS_IID(IPlugViewContentScaleSupport)
} // namespace Steinberg
