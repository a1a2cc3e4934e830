// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
#pragma once

#include <string>

namespace Brumvale {

// What the module learned about itself when the host loaded it: its handle (on
// Windows the instance handle the editor loads its images with) and the folder
// it lies in, with a trailing separator.
void* moduleHandle();
const std::string& moduleDirectory();

} // namespace Brumvale
