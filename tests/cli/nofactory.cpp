// A shared library in a VST 3 bundle that exports no GetPluginFactory.
// SPDX-License-Identifier: GPL-3.0-or-later
extern "C" __attribute__((visibility("default"))) int brumvaleTestNotAPlugin() { return 1; }
