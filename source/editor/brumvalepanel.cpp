// The panel's layout and artwork, and how its knobs, switches and value fields edit the parameters.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "brumvalepanel.h"

#include "controltags.h"

#include "processor/parameterids.h"
#include "widgets/csplashscreen.h"
#include "widgets/ctextlabel.h"

#include <algorithm>
#include <cmath>

using namespace VSTGUI;

namespace Brumvale {
namespace {

constexpr int32_t kKnobFrames = 80;

// The parameter a knob or switch stands for; -1 for any other tag.
int32_t parameterOfControl(int32_t tag)
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

void BrumvalePanel::build(CFrame& into)
{
    clear();
    frame = &into;
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
    auto* splashBitmap = new CBitmap("splashImg.png");
    frame->addView(new CSplashScreen(CRect(0, 176, 180, 191), this, kSplashTag, splashBitmap,
                                     CRect(0, 0, kWidth, kHeight)));
    splashBitmap->forget();

    const CCoord knobWidth = knobImage->getWidth();
    const CCoord knobHeight = CCoord(int32_t(knobImage->getHeight()) / kKnobFrames);
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

    for (uint32_t id = kBypassId; id <= kVolumeId; ++id)
        updateFromParameter(id, host.normalizedValue(id));
}

void BrumvalePanel::clear()
{
    if (background)
    {
        background->forget();
        background = nullptr;
    }
    frame = nullptr;
    bypassButton = hifiButton = warmthButton = nullptr;
    boostKnob = volumeKnob = nullptr;
    boostText = volumeText = nullptr;
}

void BrumvalePanel::updateFromParameter(uint32_t id, double normalized)
{
    CControl* control = controlFor(id);
    if (!control || !std::isfinite(normalized))
        return;
    // The control shows the nearest value it has; the field the host's text.
    control->setValue(float(std::clamp(normalized, 0.0, 1.0)));
    if (CTextEdit* field = fieldFor(id))
        field->setText(host.valueText(id, normalized).c_str());
}

int32_t BrumvalePanel::parameterAt(const CPoint& where) const
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

void BrumvalePanel::valueChanged(CControl* control)
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
    const int32_t id = parameterOfControl(control->getTag());
    if (id >= 0)
        editParameter(uint32_t(id), *control);
}

void BrumvalePanel::controlBeginEdit(CControl* control)
{
    const int32_t id = control ? parameterOfControl(control->getTag()) : -1;
    if (id >= 0)
        host.beginEdit(uint32_t(id));
}

void BrumvalePanel::controlEndEdit(CControl* control)
{
    const int32_t id = control ? parameterOfControl(control->getTag()) : -1;
    if (id >= 0)
        host.endEdit(uint32_t(id));
}

CControl* BrumvalePanel::controlFor(uint32_t id) const
{
    switch (id)
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

CTextEdit* BrumvalePanel::fieldFor(uint32_t id) const
{
    return id == kBoostId ? boostText : id == kVolumeId ? volumeText : nullptr;
}

void BrumvalePanel::editParameter(uint32_t id, CControl& control)
{
    host.performEdit(id, control.getValue());
}

void BrumvalePanel::takeTypedText(uint32_t id, CTextEdit& field)
{
    CControl* knob = controlFor(id);
    double value = 0.0;
    if (knob && host.valueOfText(id, field.getText(), value))
    {
        knob->setValue(float(value));
        editParameter(id, *knob);
        knob->invalid();
        return;
    }
    // A text without a value changes nothing; the field shows the value in force.
    updateFromParameter(id, host.normalizedValue(id));
}

} // namespace Brumvale
