// Writes the LV2 bundle's Turtle files (manifest, plug-ins, factory presets) from
// the port table and the factory preset table, so they never drift from the code.
//   brumvale_lv2_turtle BUNDLE_FOLDER VERSION BINARY
// VERSION is the project's four-part one; BINARY the plug-in library's file name.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lv2/lv2ports.h"
#include "presets/factorypresets.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace Brumvale::Lv2 {
namespace {

constexpr const char* kPrefixes = "@prefix doap: <http://usefulinc.com/ns/doap#> .\n"
                                  "@prefix foaf: <http://xmlns.com/foaf/0.1/> .\n"
                                  "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
                                  "@prefix opts: <http://lv2plug.in/ns/ext/options#> .\n"
                                  "@prefix pprops: <http://lv2plug.in/ns/ext/port-props#> .\n"
                                  "@prefix pset: <http://lv2plug.in/ns/ext/presets#> .\n"
                                  "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
                                  "@prefix ui: <http://lv2plug.in/ns/extensions/ui#> .\n"
                                  "@prefix units: <http://lv2plug.in/ns/extensions/units#> .\n"
                                  "@prefix urid: <http://lv2plug.in/ns/ext/urid#> .\n\n";

// "Octave Shimmer" -> "octave-shimmer".
std::string slug(const char* name)
{
    std::string result;
    for (const char* c = name; *c; ++c)
        if (std::isalnum(static_cast<unsigned char>(*c)))
            result += char(std::tolower(static_cast<unsigned char>(*c)));
        else if (!result.empty() && result.back() != '-')
            result += '-';
    return result;
}

std::string presetUri(const PluginKind& kind, const FactoryPreset& preset)
{
    return std::string(kPresetUriPrefix) + kind.tag + ":" + slug(preset.name);
}

// A Turtle decimal: always with a point, never in exponent form.
std::string decimal(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", value);
    std::string result = text;
    while (result.back() == '0' && result[result.size() - 2] != '.')
        result.pop_back();
    return result;
}

// Text as a Turtle string literal.
std::string quoted(const std::string& text)
{
    std::string result = "\"";
    for (char c : text)
    {
        if (c == '"' || c == '\\')
            result += '\\';
        result += c;
    }
    return result + "\"";
}

std::string manifest(const std::string& binary, const std::string& uiBinary)
{
    std::ostringstream out;
    out << kPrefixes;
    for (const PluginKind& kind : kPluginKinds)
        out << "<" << kind.uri << ">\n    a lv2:Plugin ;\n    lv2:binary <" << binary
            << "> ;\n    rdfs:seeAlso <brumvale.ttl> .\n\n";
    out << "<" << kUiUri << ">\n    a ui:X11UI ;\n    lv2:binary <" << uiBinary
        << "> ;\n    rdfs:seeAlso <brumvale.ttl> .\n\n";
    for (const PluginKind& kind : kPluginKinds)
        for (const FactoryPreset& preset : kFactoryPresets)
            out << "<" << presetUri(kind, preset) << ">\n    a pset:Preset ;\n    lv2:appliesTo <"
                << kind.uri << "> ;\n    rdfs:seeAlso <presets.ttl> .\n\n";
    return out.str();
}

void writeControlPort(std::ostream& out, uint32_t index, const ControlPortInfo& port)
{
    using Kind = ControlPortInfo::Kind;
    const bool output = port.kind == Kind::kLatency;
    out << "        a lv2:" << (output ? "OutputPort" : "InputPort") << " , lv2:ControlPort ;\n"
        << "        lv2:index " << index << " ;\n        lv2:symbol " << quoted(port.symbol)
        << " ;\n        lv2:name " << quoted(port.name) << " ;\n";
    switch (port.kind)
    {
    case Kind::kSwitch:
        out << "        lv2:portProperty lv2:toggled ;\n";
        break;
    case Kind::kDecibels:
        out << "        units:unit units:db ;\n";
        break;
    case Kind::kEnabled:
        out << "        lv2:designation lv2:enabled ;\n        lv2:portProperty lv2:toggled ;\n";
        break;
    case Kind::kLatency:
        out << "        lv2:designation lv2:latency ;\n        lv2:portProperty "
               "lv2:reportsLatency , lv2:integer , pprops:notOnGUI ;\n";
        break;
    }
    out << "        lv2:default " << decimal(port.defaultValue) << " ;\n        lv2:minimum "
        << decimal(port.minimum) << " ;\n        lv2:maximum " << decimal(port.maximum) << " ;\n";
}

void writeAudioPort(std::ostream& out, uint32_t index, bool input, uint32_t channels,
                    uint32_t channel)
{
    static const char* const kSides[] = {"_l", "_r"};
    static const char* const kSideNames[] = {" Left", " Right"};
    out << "        a lv2:AudioPort , lv2:" << (input ? "InputPort" : "OutputPort")
        << " ;\n        lv2:index " << index << " ;\n        lv2:symbol \""
        << (input ? "in" : "out") << (channels > 1 ? kSides[channel] : "")
        << "\" ;\n        lv2:name \"" << (input ? "In" : "Out")
        << (channels > 1 ? kSideNames[channel] : "") << "\" ;\n";
}

// An LV2 plug-in has two version numbers beneath its URI, and the URI outlives the
// project's major version, so both of the project's pairs are folded into them:
//   lv2:minorVersion = 2 x (1000 x major + minor)
//   lv2:microVersion = 2 x (1000 x micro + build)
// (1.0.0.1 gives 2000 and 2). They grow whenever the project's version grows, while
// every part stays below 1000, and they are even and the minor one non-zero: the LV2
// core reads an odd one, or minor 0, as a development version that hosts hide.
struct Lv2Version
{
    unsigned minor;
    unsigned micro;
};

bool lv2Version(const std::string& version, Lv2Version& result)
{
    unsigned major = 0, minor = 0, micro = 0, build = 0;
    char end = 0;
    if (std::sscanf(version.c_str(), "%u.%u.%u.%u%c", &major, &minor, &micro, &build, &end) != 4 ||
        major < 1 || major >= 1000 || minor >= 1000 || micro >= 1000 || build >= 1000)
        return false;
    result = {2 * (1000 * major + minor), 2 * (1000 * micro + build)};
    return true;
}

std::string plugins(const std::string& version, const Lv2Version& lv2)
{
    std::ostringstream out;
    out << kPrefixes;
    const auto ports = controlPorts();
    for (const PluginKind& kind : kPluginKinds)
    {
        out << "<" << kind.uri << ">\n    a lv2:Plugin , lv2:DistortionPlugin , doap:Project ;\n"
            << "    doap:name " << quoted(kind.name) << " ;\n"
            << "    rdfs:comment \"Octave fuzz, " << kind.tag << " (version " << version
            << "): Boost drives an asymmetric soft clipper and a soft rectifier, which "
               "doubles the pitch; AntiAlias (the panel's HiFi switch) runs them "
               "oversampled.\" ;\n"
            << "    doap:license <http://spdx.org/licenses/GPL-3.0-or-later> ;\n"
            << "    doap:maintainer [\n        foaf:name \"Kelmarotte\"\n    ] ;\n"
            << "    lv2:minorVersion " << lv2.minor << " ;\n    lv2:microVersion " << lv2.micro
            << " ;\n"
            << "    lv2:optionalFeature lv2:hardRTCapable ;\n    ui:ui <" << kUiUri << "> ;\n"
            << "    lv2:port [\n";
        for (uint32_t p = 0; p < kControlPortCount; ++p)
        {
            writeControlPort(out, p, ports[p]);
            out << "    ] , [\n";
        }
        for (uint32_t c = 0; c < kind.channels; ++c)
        {
            writeAudioPort(out, audioInputPort(c), true, kind.channels, c);
            out << "    ] , [\n";
        }
        for (uint32_t c = 0; c < kind.channels; ++c)
        {
            writeAudioPort(out, audioOutputPort(kind.channels, c), false, kind.channels, c);
            out << (c + 1 < kind.channels ? "    ] , [\n" : "    ] .\n\n");
        }
    }
    // The panel lives in the host's window and runs in its idle calls.
    out << "<" << kUiUri
        << ">\n    a ui:X11UI ;\n    lv2:requiredFeature ui:parent , ui:idleInterface ;\n"
        << "    lv2:optionalFeature ui:noUserResize , ui:resize , ui:touch , opts:options , "
           "urid:map ;\n"
        << "    lv2:extensionData ui:idleInterface , ui:resize , opts:interface ;\n"
        << "    opts:supportedOption ui:scaleFactor .\n";
    return out.str();
}

std::string presets()
{
    std::ostringstream out;
    out << kPrefixes;
    for (const PluginKind& kind : kPluginKinds)
        for (const FactoryPreset& preset : kFactoryPresets)
        {
            out << "<" << presetUri(kind, preset) << ">\n    a pset:Preset ;\n    lv2:appliesTo <"
                << kind.uri << "> ;\n    rdfs:label " << quoted(preset.name)
                << " ;\n    rdfs:comment " << quoted(preset.description) << " ;\n    lv2:port [\n";
            for (const ParameterDescription& row : kParameters)
                out << "        lv2:symbol " << quoted(row.symbol) << " ;\n        pset:value "
                    << decimal(preset.values()[row.id]) << "\n    ]"
                    << (row.id + 1 < kNumParameters ? " , [\n" : " .\n\n");
        }
    return out.str();
}

bool write(const std::string& path, const std::string& text)
{
    // Rewritten only when the text changes, so what depends on it is not rebuilt.
    std::ifstream existing(path, std::ios::binary);
    std::ostringstream old;
    old << existing.rdbuf();
    if (existing && old.str() == text)
        return true;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    return bool(file.flush());
}

} // namespace
} // namespace Brumvale::Lv2

int main(int argc, char** argv)
{
    using namespace Brumvale::Lv2;
    if (argc != 5)
    {
        std::fprintf(stderr, "usage: brumvale_lv2_turtle BUNDLE_FOLDER VERSION BINARY UI_BINARY\n");
        return 2;
    }
    const std::string folder = argv[1];
    Lv2Version lv2{};
    if (!lv2Version(argv[2], lv2))
    {
        std::fprintf(stderr,
                     "brumvale_lv2_turtle: the version %s is not four numbers from 1.0.0.0 "
                     "with each below 1000\n",
                     argv[2]);
        return 2;
    }
    if (!write(folder + "/manifest.ttl", manifest(argv[3], argv[4])) ||
        !write(folder + "/brumvale.ttl", plugins(argv[2], lv2)) ||
        !write(folder + "/presets.ttl", presets()))
    {
        std::fprintf(stderr, "brumvale_lv2_turtle: cannot write into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
