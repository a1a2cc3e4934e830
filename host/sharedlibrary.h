// A module's binary as the platform loads it (one implementation in linux/, one in win32/).
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

namespace Brumvale::Host {

// A loaded and entered module binary. Destruction calls the module's exit function, when
// its entry function was called, then unloads the binary.
class SharedLibrary
{
public:
    // The binary that holds the module at modulePath, where the platform's hosts look for
    // it. Empty, with a readable reason in error, when there is none.
    static std::string binaryPath(const std::string& modulePath, std::string& error);

    // Loads the binary and calls the module's entry function when it exports one (which
    // must then succeed). On failure returns null with a readable reason in error.
    static std::unique_ptr<SharedLibrary> open(const std::string& binaryPath, std::string& error);

    ~SharedLibrary();
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    // An exported symbol of the binary (null when absent).
    void* symbol(const char* name) const;

private:
    SharedLibrary() = default;

    void* handle = nullptr;
    bool entered = false;
};

} // namespace Brumvale::Host
