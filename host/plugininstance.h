// Host library: one processor and its edit controller, driven as a host does.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pluginmodule.h"
#include "recordingcomponenthandler.h"

#include <pluginterfaces/base/smartpointer.h>
#include <pluginterfaces/vst/ivstaudioprocessor.h>
#include <pluginterfaces/vst/ivstcomponent.h>
#include <pluginterfaces/vst/ivsteditcontroller.h>
#include <pluginterfaces/vst/ivstmessage.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Steinberg::Vst {
class HostApplication;
}

namespace Brumvale::Host {

// Creates processor and controller by class ID and walks them through the host's call
// order: initialize, connect, component handler, component state to the controller,
// bus arrangement, process setup, activation; and back: deactivate, disconnect,
// terminate, release. Every step is also callable on its own for lifecycle tests.
class PluginInstance
{
public:
    // hostContext is handed to initialize; null makes the instance use its own
    // HostApplication (which creates messages and attribute lists for the plug-in).
    static std::unique_ptr<PluginInstance> create(const PluginModule& module,
                                                  const Steinberg::TUID processorClassId,
                                                  std::string& error,
                                                  Steinberg::FUnknown* hostContext = nullptr);
    ~PluginInstance();
    PluginInstance(const PluginInstance&) = delete;
    PluginInstance& operator=(const PluginInstance&) = delete;

    Steinberg::Vst::IComponent* component() const { return componentPtr; }
    Steinberg::Vst::IAudioProcessor* processor() const { return processorPtr; }
    Steinberg::Vst::IEditController* controller() const { return controllerPtr; }
    RecordingComponentHandler& handler() const { return *componentHandler; }
    Steinberg::FUnknown* context() const { return hostContext; }
    // Queries the controller for another interface (IUnitInfo, IMidiMapping, ...);
    // the caller releases the result.
    template <typename I> I* controllerAs() const
    {
        I* result = nullptr;
        if (!controllerPtr ||
            controllerPtr->queryInterface(I::iid, reinterpret_cast<void**>(&result)) !=
                Steinberg::kResultOk)
            return nullptr;
        return result;
    }

    // The single steps.
    Steinberg::tresult initialize();
    Steinberg::tresult terminate();
    Steinberg::tresult connect();
    Steinberg::tresult disconnect();
    Steinberg::tresult attachHandler();
    Steinberg::tresult transferComponentState();

    // initialize, connect, handler, component state to controller.
    Steinberg::tresult open();
    // Stops processing if running, disconnects and terminates; safe to call twice.
    void close();

    Steinberg::tresult setBusArrangements(Steinberg::Vst::SpeakerArrangement input,
                                          Steinberg::Vst::SpeakerArrangement output);
    Steinberg::tresult setupProcessing(double sampleRate, Steinberg::int32 maxBlockSize,
                                       Steinberg::int32 sampleSize = Steinberg::Vst::kSample32,
                                       Steinberg::int32 mode = Steinberg::Vst::kRealtime);
    Steinberg::tresult setActive(bool active);
    Steinberg::tresult setProcessing(bool processing);
    // setBusArrangements (both sides to arrangement), setupProcessing, setActive(true),
    // setProcessing(true). A setProcessing answer of kNotImplemented counts as success.
    Steinberg::tresult startProcessing(Steinberg::Vst::SpeakerArrangement arrangement,
                                       double sampleRate, Steinberg::int32 maxBlockSize);
    void stopProcessing();

    // Processor state through a MemoryStream.
    Steinberg::tresult getComponentState(std::vector<std::uint8_t>& bytes);
    Steinberg::tresult setComponentState(const std::vector<std::uint8_t>& bytes);
    // The same bytes to the controller's setComponentState.
    Steinberg::tresult setControllerComponentState(const std::vector<std::uint8_t>& bytes);
    // The controller's own state (getState and setState) through a MemoryStream.
    Steinberg::tresult getControllerState(std::vector<std::uint8_t>& bytes);
    Steinberg::tresult setControllerState(const std::vector<std::uint8_t>& bytes);

    // Sends a "TextMessage" with the attribute "Text" to the processor or the controller,
    // as the other side would.
    Steinberg::tresult sendText(bool toController, const char* text);

private:
    PluginInstance() = default;

    // The SDK's HostApplication counts no references: the instance owns its own.
    std::unique_ptr<Steinberg::Vst::HostApplication> ownApplication;
    Steinberg::IPtr<Steinberg::FUnknown> hostContext;
    Steinberg::Vst::IComponent* componentPtr = nullptr;
    Steinberg::Vst::IAudioProcessor* processorPtr = nullptr;
    Steinberg::Vst::IEditController* controllerPtr = nullptr;
    Steinberg::IPtr<RecordingComponentHandler> componentHandler;
    bool combined = false; // component and controller are one object
    bool initialized = false;
    bool connected = false;
    bool active = false;
    bool processing = false;
};

} // namespace Brumvale::Host
