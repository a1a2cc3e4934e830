// GetPluginFactory: the module's factory, with the processor registered first and
// its controller second.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/classids.h"

#include "controller/againcontroller.h"
#include "processor/again.h"
#include "sdkstandins/pluginfactory.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"

#include <new>

using namespace Steinberg;

namespace {

FUnknown* createProcessor(void*)
{
    auto* processor = new (std::nothrow) Brumvale::again();
    return processor ? static_cast<Vst::IAudioProcessor*>(processor) : nullptr;
}

FUnknown* createController(void*)
{
    auto* controller = new (std::nothrow) Brumvale::againController();
    return controller ? static_cast<Vst::IEditController*>(controller) : nullptr;
}

// Built on the first request and kept for the module's lifetime, so a factory
// made again after a full release registers the same descriptions.
struct Descriptions
{
    Descriptions()
        : factory(Brumvale::kVendor, "https://kelmarotte.example/brumvale",
                  "mailto:brumvale@kelmarotte.example", PFactoryInfo::kUnicode)
    {
        TUID id;
        Brumvale::kProcessorClassId.toTUID(id);
        processor =
            PClassInfo2(id, PClassInfo::kManyInstances, kVstAudioEffectClass, "Brumvale",
                        Vst::kDistributable, "Fx|Distortion", "", Brumvale::kVersion, "VST 3.5.2");
        Brumvale::kControllerClassId.toTUID(id);
        controller = PClassInfo2(id, PClassInfo::kManyInstances, kVstComponentControllerClass,
                                 "BrumvaleController", 0, "", "", Brumvale::kVersion, "VST 3.5.2");
    }

    PFactoryInfo factory;
    PClassInfo2 processor;
    PClassInfo2 controller;
};

} // namespace

SMTG_EXPORT_SYMBOL IPluginFactory* PLUGIN_API GetPluginFactory()
{
    if (gPluginFactory)
    {
        gPluginFactory->addRef();
        return gPluginFactory;
    }
    static const Descriptions descriptions;
    auto* factory = new (std::nothrow) CPluginFactory(descriptions.factory);
    if (!factory)
        return nullptr;
    if (!factory->registerClass(&descriptions.processor, createProcessor) ||
        !factory->registerClass(&descriptions.controller, createController))
    {
        factory->release();
        return nullptr;
    }
    gPluginFactory = factory;
    return gPluginFactory;
}
