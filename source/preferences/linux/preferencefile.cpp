// Preference files on Linux, under $XDG_CONFIG_HOME or ~/.config.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/preferencefile.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Brumvale {
namespace {

// The Brumvale folder; empty when the environment names no home. A relative
// $XDG_CONFIG_HOME is ignored, as the XDG base-directory rules say.
std::string folder()
{
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome && configHome[0] == '/')
        return std::string(configHome) + "/Brumvale";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return std::string(home) + "/.config/Brumvale";
    return {};
}

bool makeFolder(const std::string& path)
{
    for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1))
    {
        const std::string part = path.substr(0, slash);
        if (::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            return true;
    }
}

bool writeAll(int descriptor, const std::string& text)
{
    size_t written = 0;
    while (written < text.size())
    {
        const ssize_t count = ::write(descriptor, text.data() + written, text.size() - written);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return false;
        written += size_t(count);
    }
    return true;
}

} // namespace

std::optional<std::string> readPreferenceFile(const char* name)
{
    const std::string base = folder();
    if (base.empty() || !name)
        return std::nullopt;
    const std::string path = base + "/" + name;
    // Without O_NONBLOCK, opening a FIFO would wait for a writer.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return std::nullopt;
    struct stat status
    {};
    std::optional<std::string> text;
    if (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) &&
        status.st_size <= off_t(kLargestPreferenceFile))
    {
        std::string content(kLargestPreferenceFile + 1, '\0');
        size_t length = 0;
        for (;;)
        {
            const ssize_t count =
                ::read(descriptor, content.data() + length, content.size() - length);
            if (count < 0 && errno == EINTR)
                continue;
            if (count <= 0)
            {
                if (count == 0 && length <= kLargestPreferenceFile)
                    text = content.substr(0, length);
                break;
            }
            length += size_t(count);
        }
    }
    ::close(descriptor);
    return text;
}

bool writePreferenceFile(const char* name, const std::string& text)
{
    const std::string base = folder();
    if (base.empty() || !name || text.size() > kLargestPreferenceFile || !makeFolder(base))
        return false;
    const std::string path = base + "/" + name;
    const std::string partial = path + ".partial";
    const int descriptor = ::open(
        partial.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (descriptor < 0)
        return false;
    const bool written = writeAll(descriptor, text);
    if (::close(descriptor) != 0 || !written || ::rename(partial.c_str(), path.c_str()) != 0)
    {
        ::unlink(partial.c_str());
        return false;
    }
    return true;
}

} // namespace Brumvale
