// Host library: one processor and its edit controller, driven as a host does.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "plugininstance.h"

#include <base/source/fstring.h>
#include <public.sdk/source/common/memorystream.h>
#include <public.sdk/source/vst/hosting/hostclasses.h>

namespace Brumvale::Host {

using namespace Steinberg;

namespace {

IPtr<Vst::IConnectionPoint> connectionPoint(FUnknown* object)
{
    Vst::IConnectionPoint* point = nullptr;
    if (!object || object->queryInterface(Vst::IConnectionPoint::iid,
                                          reinterpret_cast<void**>(&point)) != kResultOk)
        return nullptr;
    return owned(point);
}

IPtr<MemoryStream> streamOf(const std::vector<std::uint8_t>& bytes)
{
    auto stream = owned(new MemoryStream);
    if (!bytes.empty())
    {
        int32 written = 0;
        stream->write(const_cast<std::uint8_t*>(bytes.data()), static_cast<int32>(bytes.size()),
                      &written);
    }
    stream->seek(0, IBStream::kIBSeekSet, nullptr);
    return stream;
}

// The bytes a component's or a controller's getState writes.
template <class Stateful> tresult stateOf(Stateful* object, std::vector<std::uint8_t>& bytes)
{
    auto stream = owned(new MemoryStream);
    const tresult result = object->getState(stream);
    bytes.assign(stream->getData(), stream->getData() + stream->getSize());
    return result;
}

} // namespace

std::unique_ptr<PluginInstance> PluginInstance::create(const PluginModule& module,
                                                       const TUID processorClassId,
                                                       std::string& error, FUnknown* context)
{
    IPluginFactory* factory = module.factory();
    if (!factory)
    {
        error = "module has no factory";
        return nullptr;
    }
    std::unique_ptr<PluginInstance> instance(new PluginInstance);
    if (!context)
    {
        instance->ownApplication = std::make_unique<Vst::HostApplication>();
        context = instance->ownApplication.get();
    }
    instance->hostContext = context;
    instance->componentHandler = owned(new RecordingComponentHandler);

    void* object = nullptr;
    if (factory->createInstance(processorClassId, Vst::IComponent::iid, &object) != kResultOk ||
        !object)
    {
        error = "cannot create the component " + PluginModule::classIdString(processorClassId);
        return nullptr;
    }
    instance->componentPtr = static_cast<Vst::IComponent*>(object);
    if (instance->componentPtr->queryInterface(Vst::IAudioProcessor::iid, &object) != kResultOk)
    {
        error = "the component is no IAudioProcessor";
        return nullptr;
    }
    instance->processorPtr = static_cast<Vst::IAudioProcessor*>(object);

    // A component may be its own controller; otherwise it names the controller's class.
    if (instance->componentPtr->queryInterface(Vst::IEditController::iid, &object) == kResultOk)
    {
        instance->controllerPtr = static_cast<Vst::IEditController*>(object);
        instance->combined = true;
        return instance;
    }
    TUID controllerId = {};
    if (instance->componentPtr->getControllerClassId(controllerId) != kResultOk)
    {
        error = "the component names no controller class";
        return nullptr;
    }
    if (factory->createInstance(controllerId, Vst::IEditController::iid, &object) != kResultOk ||
        !object)
    {
        error = "cannot create the controller " + PluginModule::classIdString(controllerId);
        return nullptr;
    }
    instance->controllerPtr = static_cast<Vst::IEditController*>(object);
    return instance;
}

PluginInstance::~PluginInstance()
{
    close();
    if (controllerPtr)
        controllerPtr->release();
    if (processorPtr)
        processorPtr->release();
    if (componentPtr)
        componentPtr->release();
}

tresult PluginInstance::initialize()
{
    tresult result = componentPtr->initialize(hostContext);
    if (result != kResultOk)
        return result;
    initialized = true;
    if (combined)
        return kResultOk;
    return controllerPtr->initialize(hostContext);
}

tresult PluginInstance::terminate()
{
    initialized = false;
    controllerPtr->setComponentHandler(nullptr);
    const tresult controllerResult = combined ? kResultOk : controllerPtr->terminate();
    const tresult componentResult = componentPtr->terminate();
    return controllerResult != kResultOk ? controllerResult : componentResult;
}

tresult PluginInstance::connect()
{
    if (combined)
        return kResultOk;
    const IPtr<Vst::IConnectionPoint> componentPoint = connectionPoint(componentPtr);
    const IPtr<Vst::IConnectionPoint> controllerPoint = connectionPoint(controllerPtr);
    tresult result = kResultFalse;
    if (componentPoint && controllerPoint)
    {
        result = componentPoint->connect(controllerPoint);
        if (result == kResultOk)
            result = controllerPoint->connect(componentPoint);
        connected = result == kResultOk;
    }
    return result;
}

tresult PluginInstance::disconnect()
{
    if (!connected)
        return kResultFalse;
    connected = false;
    const IPtr<Vst::IConnectionPoint> componentPoint = connectionPoint(componentPtr);
    const IPtr<Vst::IConnectionPoint> controllerPoint = connectionPoint(controllerPtr);
    tresult result = kResultFalse;
    if (componentPoint && controllerPoint)
    {
        result = componentPoint->disconnect(controllerPoint);
        const tresult other = controllerPoint->disconnect(componentPoint);
        if (result == kResultOk)
            result = other;
    }
    return result;
}

tresult PluginInstance::attachHandler()
{
    return controllerPtr->setComponentHandler(componentHandler);
}

tresult PluginInstance::transferComponentState()
{
    std::vector<std::uint8_t> bytes;
    const tresult result = getComponentState(bytes);
    if (result != kResultOk)
        return result;
    return setControllerComponentState(bytes);
}

tresult PluginInstance::open()
{
    tresult result = initialize();
    if (result == kResultOk)
        result = connect();
    if (result == kResultOk)
        result = attachHandler();
    if (result == kResultOk)
        result = transferComponentState();
    return result;
}

void PluginInstance::close()
{
    stopProcessing();
    if (connected)
        disconnect();
    if (initialized)
        terminate();
}

tresult PluginInstance::setBusArrangements(Vst::SpeakerArrangement input,
                                           Vst::SpeakerArrangement output)
{
    return processorPtr->setBusArrangements(&input, 1, &output, 1);
}

tresult PluginInstance::setupProcessing(double sampleRate, int32 maxBlockSize, int32 sampleSize,
                                        int32 mode)
{
    Vst::ProcessSetup setup = {mode, sampleSize, maxBlockSize, sampleRate};
    return processorPtr->setupProcessing(setup);
}

tresult PluginInstance::setActive(bool on)
{
    const tresult result = componentPtr->setActive(on);
    active = on && result == kResultOk;
    return result;
}

tresult PluginInstance::setProcessing(bool on)
{
    const tresult result = processorPtr->setProcessing(on);
    processing = on;
    return result;
}

tresult PluginInstance::startProcessing(Vst::SpeakerArrangement arrangement, double sampleRate,
                                        int32 maxBlockSize)
{
    tresult result = setBusArrangements(arrangement, arrangement);
    if (result != kResultOk)
        return result;
    result = setupProcessing(sampleRate, maxBlockSize);
    if (result != kResultOk)
        return result;
    result = setActive(true);
    if (result != kResultOk)
        return result;
    result = setProcessing(true);
    return result == kNotImplemented ? kResultOk : result;
}

void PluginInstance::stopProcessing()
{
    if (processing)
        setProcessing(false);
    if (active)
        setActive(false);
}

tresult PluginInstance::getComponentState(std::vector<std::uint8_t>& bytes)
{
    return stateOf(componentPtr, bytes);
}

tresult PluginInstance::setComponentState(const std::vector<std::uint8_t>& bytes)
{
    return componentPtr->setState(streamOf(bytes));
}

tresult PluginInstance::setControllerComponentState(const std::vector<std::uint8_t>& bytes)
{
    return controllerPtr->setComponentState(streamOf(bytes));
}

tresult PluginInstance::getControllerState(std::vector<std::uint8_t>& bytes)
{
    return stateOf(controllerPtr, bytes);
}

tresult PluginInstance::setControllerState(const std::vector<std::uint8_t>& bytes)
{
    return controllerPtr->setState(streamOf(bytes));
}

tresult PluginInstance::sendText(bool toController, const char* text)
{
    Vst::IHostApplication* application = nullptr;
    if (hostContext->queryInterface(Vst::IHostApplication::iid,
                                    reinterpret_cast<void**>(&application)) != kResultOk)
        return kNoInterface;
    void* object = nullptr;
    TUID messageId;
    Vst::IMessage::iid.toTUID(messageId);
    const tresult created = application->createInstance(messageId, messageId, &object);
    application->release();
    if (created != kResultOk || !object)
        return kResultFalse;
    auto message = owned(static_cast<Vst::IMessage*>(object));
    message->setMessageID("TextMessage");
    String wide(text, kCP_Utf8);
    message->getAttributes()->setString("Text", wide.text16());

    const IPtr<Vst::IConnectionPoint> target =
        connectionPoint(toController ? static_cast<FUnknown*>(controllerPtr) : componentPtr);
    return target ? target->notify(message) : kNoInterface;
}

} // namespace Brumvale::Host
