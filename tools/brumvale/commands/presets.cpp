// brumvale presets: the factory presets listed with their files, written as
// .vstpreset files by the plug-in itself, or measured.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commands/commands.h"
#include "presets/presetfolders.h"
#include "presets/presetmeasure.h"
#include "session/effectsession.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace Brumvale {
namespace {

std::string fileBytes(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// A fresh instance with the preset's values, processor and controller alike.
std::unique_ptr<EffectSession> sessionWith(const std::string& plugin, const FactoryPreset& preset,
                                           std::string& error)
{
    EffectSession::ParameterValues values;
    auto session = openConfiguredSession(plugin, "", presetSettings(preset), values, error);
    if (!session || !session->start(2, 44100.0, 512, error))
        return nullptr;
    const bool applied = session->apply(values);
    session->stop();
    if (!applied)
    {
        error = "the plug-in does not take the values of " + std::string(preset.name);
        return nullptr;
    }
    return session;
}

// Writes each preset; a file that already holds the same bytes is left alone, so
// that a rebuild changes no installed file.
int writePresets(const std::string& plugin, const std::string& folder)
{
    std::error_code failed;
    std::filesystem::create_directories(folder, failed);
    if (failed)
        return reportFailure("cannot create " + folder + ": " + failed.message());
    for (const FactoryPreset& preset : kFactoryPresets)
    {
        std::string error;
        auto session = sessionWith(plugin, preset, error);
        const std::filesystem::path file =
            std::filesystem::path(folder) / (std::string(preset.name) + ".vstpreset");
        const std::filesystem::path fresh = file.string() + ".new";
        if (!session || !session->savePreset(fresh.string(), error))
            return reportFailure(error);
        if (fileBytes(fresh) == fileBytes(file))
            std::filesystem::remove(fresh, failed);
        else
            std::filesystem::rename(fresh, file, failed);
        if (failed)
            return reportFailure("cannot write " + file.string() + ": " + failed.message());
    }
    return 0;
}

int measurePresets(const std::string& plugin)
{
    std::printf("%-22s %8s %8s %10s %14s\n", "preset", "peak dB", "RMS dB", "octave dB",
                "above 1 kHz dB");
    for (const FactoryPreset& preset : kFactoryPresets)
    {
        PresetMeasurement measured{};
        std::string error;
        if (!measurePreset(plugin, preset, measured, error))
            return reportFailure(error);
        std::printf("%-22s %8.1f %8.1f %10.1f %14.1f\n", preset.name, measured.peakDb,
                    measured.rmsDb, measured.octaveDb, measured.brightnessDb);
    }
    return 0;
}

// Each preset with its description, the values its file gives the plug-in (the
// table's when no file is found) and the file.
int listPresets(const std::string& plugin)
{
    bool missing = false;
    for (const FactoryPreset& preset : kFactoryPresets)
    {
        const std::string file = factoryPresetFile(preset);
        std::string error;
        auto session =
            file.empty() ? sessionWith(plugin, preset, error) : EffectSession::open(plugin, error);
        if (!session || (!file.empty() && !session->loadPreset(file, error)))
            return reportFailure(error);
        std::printf("%s: %s\n    %s\n    %s\n", preset.name, preset.description,
                    session->parameters().summary().c_str(),
                    file.empty() ? "(no file found)" : file.c_str());
        missing = missing || file.empty();
    }
    if (missing)
    {
        std::printf("\nThe files are looked for in:\n");
        for (const std::string& folder : factoryPresetFolders())
            std::printf("    %s\n", folder.c_str());
    }
    return 0;
}

struct PresetsOptions
{
    std::string plugin;
    std::string writeFolder; // write the factory presets there
    bool measure = false;    // render the demo riff through each and print the figures
};

int presets(const PresetsOptions& options)
{
    const std::string plugin = options.plugin.empty() ? defaultBundle() : options.plugin;
    if (!options.writeFolder.empty())
        return writePresets(plugin, options.writeFolder);
    return options.measure ? measurePresets(plugin) : listPresets(plugin);
}

int run(const std::vector<std::string>& arguments)
{
    PresetsOptions options;
    OptionParser parser;
    parser.value("--plugin", options.plugin);
    parser.value("--write", options.writeFolder);
    parser.flag("--measure", options.measure);
    std::string error;
    std::vector<std::string> rest;
    if (!parser.parse(arguments, rest, error))
        return usageError(error);
    if (!rest.empty())
        return usageError("presets takes no argument " + rest[0]);
    return presets(options);
}

} // namespace

const Command kPresetsCommand = {
    "presets",
    "  presets [--write DIR | --measure] [--plugin PATH]\n"
    "                            the factory presets: name, description, values and\n"
    "                            file (any --preset takes a name as well as a file);\n"
    "                            --write puts them into DIR, --measure renders the\n"
    "                            demo riff through each and prints the figures\n",
    nullptr,
    run,
};

} // namespace Brumvale
