// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
#include "againeditorview.h"

#include <algorithm>
#include <cmath>

#include "controltags.h"
#include "fieldtext.h"

#include "common/interfaceguard.h"
#include "preferences/zoompreference.h"
#include "processor/parameterids.h"
#include "widgets/cmenuview.h"
#include "widgets/csplashscreen.h"
#include "widgets/zoomrange.h"

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace VSTGUI;

namespace Brumvale {
namespace {

constexpr int32 kPanelWidth = 180;
constexpr int32 kPanelHeight = 240;
constexpr int32 kKnobFrames = 80;
constexpr int32 kSizeSlack = 50;

ViewRect* panelSize()
{
    static ViewRect size(0, 0, kPanelWidth, kPanelHeight);
    return &size;
}

// The parameter a knob or switch stands for; -1 for any other tag.
int32 parameterOfControl(int32_t tag)
{
    switch (tag)
    {
    case kBypassTag:
        return kBypassId;
    case kHiFiTag:
        return kAntiAliasId;
    case kWarmthTag:
        return kWarmthId;
    case kBoostKnobTag:
        return kBoostId;
    case kVolumeKnobTag:
        return kVolumeId;
    default:
        return -1;
    }
}

CTextEdit* makeValueField(const CRect& rect, CControlListener* listener, int32_t tag)
{
    auto* field = new CTextEdit(rect, listener, tag, "", nullptr, kNoFrame);
    field->setFont(kNormalFontSmaller);
    field->setFontColor(CColor{255, 255, 255, 220});
    field->setBackColor(CColor{0, 0, 0, 0});
    field->setAntialias(true);
    field->setTransparency(false);
    return field;
}

} // namespace

againEditorView::againEditorView(void* controller)
    : VSTGUIEditor(controller, panelSize()),
      zoomTarget(owned(new ZoomMenuTarget([this](double zoom) { chooseZoom(zoom); })))
{
    setIdleRate(50);
    setUserZoom(readZoomPreference());
}

againEditorView::~againEditorView()
{
    zoomTarget->detach();
    close();
}

tresult PLUGIN_API againEditorView::queryInterface(const TUID iid, void** obj)
{
    if (!answerableQuery(iid, obj))
        return kInvalidArgument;
    QUERY_INTERFACE(iid, obj, IParameterFinder::iid, IParameterFinder)
    QUERY_INTERFACE(iid, obj, IContextMenuTarget::iid, IContextMenuTarget)
    return VSTGUIEditor::queryInterface(iid, obj);
}

bool againEditorView::open(void* parent)
{
    if (frame)
        return false;
    frame = new CFrame(CRect(0, 0, kPanelWidth, kPanelHeight), this);
    if (!openFrame(parent))
    {
        close();
        return false;
    }

    auto* version =
        new CTextLabel(CRect(26, 223, 146, 241), "v1.0 Apr  3 2015 03:19:46", nullptr, kNoFrame);
    version->setBackColor(CColor{0, 0, 0, 0});
    version->setFontColor(CColor{255, 255, 255, 50});
    version->setAntialias(true);
    version->setFont(kNormalFontVerySmall);
    frame->addView(version);

    background = new CBitmap("background.png");
    frame->setBackground(background);

    auto* knobImage = new CBitmap("knobImg1.png");
    splashBitmap = new CBitmap("splashImg.png");
    frame->addView(new CSplashScreen(CRect(0, 176, 180, 191), this, kSplashTag, splashBitmap,
                                     CRect(0, 0, kPanelWidth, kPanelHeight)));
    splashBitmap->forget();

    const CCoord knobWidth = knobImage->getWidth();
    const CCoord knobHeight = CCoord(int32(knobImage->getHeight()) / kKnobFrames);
    const CPoint knobSize(knobWidth, knobHeight);
    boostKnob = new CAnimKnob(CRect(CPoint(110, 20), knobSize), this, kBoostKnobTag, kKnobFrames,
                              knobHeight, knobImage);
    frame->addView(boostKnob);
    boostText = makeValueField(CRect(109, 5, 149, 17), this, kBoostTextTag);
    frame->addView(boostText);
    volumeKnob = new CAnimKnob(CRect(CPoint(30, 20), knobSize), this, kVolumeKnobTag, kKnobFrames,
                               knobHeight, knobImage);
    frame->addView(volumeKnob);
    volumeText = makeValueField(CRect(29, 5, 69, 17), this, kVolumeTextTag);
    frame->addView(volumeText);
    knobImage->forget();

    const auto addSwitch = [this](const char* image, const CRect& rect, int32_t tag) {
        auto* bitmap = new CBitmap(image);
        auto* button = new CMovieButton(rect, this, tag, bitmap);
        frame->addView(button);
        bitmap->forget();
        return button;
    };
    bypassButton = addSwitch("ButtonBypass.png", CRect(70, 115, 110, 155), kBypassTag);
    hifiButton = addSwitch("ButtonHiFi.png", CRect(20, 200, 80, 220), kHiFiTag);
    warmthButton = addSwitch("ButtonWarmth.png", CRect(100, 200, 160, 220), kWarmthTag);

    for (ParamID id = kBypassId; id <= kVolumeId; ++id)
        updateFromParameter(id, controller->getParamNormalized(id));
    return true;
}

void againEditorView::close()
{
    if (frame)
    {
        frame->forget();
        frame = nullptr;
    }
    if (background)
    {
        background->forget();
        background = nullptr;
    }
    splashBitmap = nullptr;
    bypassButton = hifiButton = warmthButton = nullptr;
    boostKnob = volumeKnob = nullptr;
    boostText = volumeText = nullptr;
}

tresult PLUGIN_API againEditorView::onSize(ViewRect* newSize)
{
    return VSTGUIEditor::onSize(newSize);
}

tresult PLUGIN_API againEditorView::canResize() { return kResultFalse; }

tresult PLUGIN_API againEditorView::checkSizeConstraint(ViewRect* rect)
{
    if (!rect)
        return kInvalidArgument;
    const int32 least[] = {zoomedLength(kPanelWidth, getZoom()),
                           zoomedLength(kPanelHeight, getZoom())};
    const int32 most[] = {zoomedLength(kPanelWidth + kSizeSlack, getZoom()),
                          zoomedLength(kPanelHeight + kSizeSlack, getZoom())};
    rect->right = rect->left + std::clamp(rect->getWidth(), least[0], most[0]);
    rect->bottom = rect->top + std::clamp(rect->getHeight(), least[1], most[1]);
    return kResultTrue;
}

void againEditorView::valueChanged(CControl* control)
{
    if (!control)
        return;
    switch (control->getTag())
    {
    case kBoostTextTag:
        takeTypedText(kBoostId, *boostText);
        return;
    case kVolumeTextTag:
        takeTypedText(kVolumeId, *volumeText);
        return;
    default:
        break;
    }
    const int32 id = parameterOfControl(control->getTag());
    if (id >= 0)
        editParameter(ParamID(id), *control);
}

void againEditorView::controlBeginEdit(CControl* control)
{
    const int32 id = control ? parameterOfControl(control->getTag()) : -1;
    if (id >= 0)
        controller->beginEdit(ParamID(id));
}

void againEditorView::controlEndEdit(CControl* control)
{
    const int32 id = control ? parameterOfControl(control->getTag()) : -1;
    if (id >= 0)
        controller->endEdit(ParamID(id));
}

tresult PLUGIN_API againEditorView::findParameter(int32, int32, ParamID&) { return kResultFalse; }

tresult PLUGIN_API againEditorView::executeMenuItem(int32) { return kResultFalse; }

void againEditorView::updateFromParameter(ParamID tag, ParamValue value)
{
    CControl* control = controlFor(tag);
    if (!control || !std::isfinite(value))
        return;
    // The control shows the nearest value it has; the field the controller's text.
    control->setValue(float(std::clamp(value, 0.0, 1.0)));
    CTextEdit* field = fieldFor(tag);
    if (!field)
        return;
    String128 text = {};
    controller->getParamStringByValue(tag, value, text);
    field->setText(toFieldText(text).c_str());
}

bool againEditorView::openContextMenu(const CPoint& where)
{
    if (!frame)
        return false;
    FUnknownPtr<IComponentHandler3> hostMenus(controller->getComponentHandler());
    if (hostMenus)
    {
        const int32 id = parameterAt(where);
        const ParamID parameter = ParamID(id);
        IPtr<IContextMenu> menu =
            owned(hostMenus->createContextMenu(this, id >= 0 ? &parameter : nullptr));
        if (menu && zoomTarget->addItemsTo(*menu, getUserZoom()))
        {
            menu->popup(UCoord(where.x * getZoom()), UCoord(where.y * getZoom()));
            return true;
        }
    }
    CMenuView::popup(*frame, where, zoomMenuItems(getUserZoom()), [this](int index) {
        if (index >= 0 && size_t(index) < std::size(kZoomChoices))
            chooseZoom(kZoomChoices[index].zoom);
    });
    return true;
}

void againEditorView::chooseZoom(double zoom)
{
    // A failed write leaves the choice for this editor only.
    if (setUserZoom(zoom))
        writeZoomPreference(zoom);
}

int32 againEditorView::parameterAt(const CPoint& where) const
{
    if (!frame)
        return -1;
    for (int32_t index = frame->getNbViews() - 1; index >= 0; --index)
    {
        const auto* control = dynamic_cast<const CControl*>(frame->getView(index));
        if (control && control->getViewSize().pointInside(where))
            return parameterOfControl(control->getTag());
    }
    return -1;
}

CControl* againEditorView::controlFor(ParamID tag) const
{
    switch (tag)
    {
    case kBypassId:
        return bypassButton;
    case kAntiAliasId:
        return hifiButton;
    case kWarmthId:
        return warmthButton;
    case kBoostId:
        return boostKnob;
    case kVolumeId:
        return volumeKnob;
    default:
        return nullptr;
    }
}

CTextEdit* againEditorView::fieldFor(ParamID tag) const
{
    return tag == kBoostId ? boostText : tag == kVolumeId ? volumeText : nullptr;
}

void againEditorView::editParameter(ParamID tag, CControl& control)
{
    controller->setParamNormalized(tag, control.getValue());
    controller->performEdit(tag, control.getValue());
}

void againEditorView::takeTypedText(ParamID tag, CTextEdit& field)
{
    CControl* knob = controlFor(tag);
    String128 text = {};
    ParamValue value = 0.0;
    if (knob && toString128(field.getText(), text) &&
        controller->getParamValueByString(tag, text, value) == kResultTrue)
    {
        knob->setValue(float(value));
        editParameter(tag, *knob);
        knob->invalid();
        return;
    }
    // A text without a value changes nothing; the field shows the value in force.
    updateFromParameter(tag, controller->getParamNormalized(tag));
}

} // namespace Brumvale
