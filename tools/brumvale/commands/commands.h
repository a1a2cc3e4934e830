// The tool's commands and their options, and the rendering and session helpers they share.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "audiofile.h"
#include "effectsession.h"
#include "renderoptions.h"

#include <string>
#include <vector>

namespace Brumvale {

// Each returns the process exit status: 0 on success, 1 when the work failed
// (after a one-line message on standard error).
int renderCommand(const RenderOptions& options);
int infoCommand(const std::string& plugin);
int demoCommand(const std::string& directory, const std::string& plugin);

struct ScreenshotOptions
{
    std::string output;
    std::vector<ParameterSetting> settings;
    bool about = false; // with the about panel open
    double scale = 1.0; // screen pixels per panel pixel
};
// Parses the arguments after "screenshot". False with a one-line reason on error.
bool parseScreenshotOptions(const std::vector<std::string>& arguments, ScreenshotOptions& options,
                            std::string& error);
int screenshotCommand(const ScreenshotOptions& options);

struct LiveOptions
{
    std::string plugin;
    std::vector<ParameterSetting> settings;
    std::string preset;
    std::string savePreset;
    std::vector<std::string> inputs;  // JACK ports to take the input from
    std::vector<std::string> outputs; // JACK ports to send the output to
    std::string midi;                 // a JACK MIDI port to take controllers from
    int channels = 1;
    bool editor = true;
};
// Parses the arguments after "live". False with a one-line reason on error.
bool parseLiveOptions(const std::vector<std::string>& arguments, LiveOptions& options,
                      std::string& error);
// Runs the plug-in between JACK ports until SIGINT or SIGTERM (status 0) or until
// the server goes away (status 1).
int liveCommand(const LiveOptions& options);

struct PresetsOptions
{
    std::string plugin;
    std::string writeFolder; // write the factory presets there
    bool measure = false;    // render the demo riff through each and print the figures
};
// Parses the arguments after "presets". False with a one-line reason on error.
bool parsePresetsOptions(const std::vector<std::string>& arguments, PresetsOptions& options,
                         std::string& error);
// Lists the factory presets (or writes or measures them).
int presetsCommand(const PresetsOptions& options);

// A parameter value due at a frame of the render.
struct AutomationPoint
{
    long frame;
    Steinberg::Vst::ParamID id;
    Steinberg::Vst::ParamValue value;
};

// Plays `frames` frames of the input (silence after its end) through a started
// session in blocks, delivering each point at its sample offset.
void renderBlocks(EffectSession& session, const Audio& input, std::vector<AutomationPoint> points,
                  int block, long frames, Audio& output, bool showProgress);

// The whole input through a fresh instance of the plug-in at plugin with the
// settings, in 512-frame blocks; false with a one-line reason in error.
bool renderWithSettings(const std::string& plugin, const Audio& input,
                        const std::vector<ParameterSetting>& settings, Audio& output,
                        std::string& error);

// The effect of the bundle at plugin (the one beside the tool when empty), with
// the preset loaded when one is named and the settings resolved into values;
// null with a one-line reason in error.
std::unique_ptr<EffectSession> openConfiguredSession(const std::string& plugin,
                                                     const std::string& preset,
                                                     const std::vector<ParameterSetting>& settings,
                                                     EffectSession::ParameterValues& values,
                                                     std::string& error);

// Prints "brumvale: MESSAGE" on standard error; returns the failure status 1.
int reportFailure(const std::string& message);

// The folder of the running program, with its final slash ("" when unknown).
std::string toolFolder();
// The plug-in the commands use unless given one: Brumvale.vst3 beside the tool
// (a build tree), else <prefix>/lib/vst3/Brumvale.vst3 when the tool is
// <prefix>/bin/brumvale (an installed one), else the first for the messages.
std::string defaultBundle();

} // namespace Brumvale
