// Text shown in a rectangle: CParamDisplay's drawing and CTextLabel's text.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ccontrol.h"

#include <string>

namespace VSTGUI {

enum : int32_t
{
    kNoFrame = 1 << 0,
};

// One line of UTF-8 text in a font and colour, centred by default, over its back
// colour (unless transparent) and inside a one-pixel frame (unless kNoFrame).
class CTextLabel : public CControl
{
public:
    CTextLabel(const CRect& size, const char* text = nullptr, void* background = nullptr,
               int32_t style = 0);
    CTextLabel(const CRect& size, CControlListener* listener, int32_t tag, const char* text,
               int32_t style);

    void draw(CDrawContext& context) override;

    // At most 255 bytes are kept.
    virtual void setText(const char* text);
    const std::string& getText() const { return text; }

    void setFont(CFontRef newFont) { font = newFont; }
    CFontRef getFont() const { return font; }
    void setFontColor(const CColor& color) { fontColor = color; }
    const CColor& getFontColor() const { return fontColor; }
    void setBackColor(const CColor& color) { backColor = color; }
    void setAntialias(bool state) { antialias = state; }
    void setTransparency(bool state) { transparent = state; }
    CHoriTxtAlign getHoriAlign() const { return horiAlign; }

    static constexpr size_t kMaxTextLength = 255;

protected:
    // Draws the back colour, the frame and the given text.
    void drawText(CDrawContext& context, const std::string& shown);

private:
    std::string text;
    int32_t style;
    CFontRef font = kNormalFontSmaller;
    CColor fontColor{255, 255, 255, 255};
    CColor backColor{0, 0, 0, 255};
    CColor frameColor{0, 0, 0, 255};
    CHoriTxtAlign horiAlign = kCenterText;
    bool antialias = true;
    bool transparent = false;
};

} // namespace VSTGUI
