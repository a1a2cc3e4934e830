// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
// A shared library in a VST 3 bundle that exports no GetPluginFactory.
extern "C" __attribute__((visibility("default"))) int brumvaleTestNotAPlugin() { return 1; }
