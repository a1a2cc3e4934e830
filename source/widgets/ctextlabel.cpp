// A label's text, kept within its length limit, and its drawing with background and frame.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctextlabel.h"

namespace VSTGUI {

CTextLabel::CTextLabel(const CRect& size, const char* text, void*, int32_t style)
    : CTextLabel(size, nullptr, 0, text, style)
{}

CTextLabel::CTextLabel(const CRect& size, CControlListener* listener, int32_t tag,
                       const char* initialText, int32_t style)
    : CControl(size, listener, tag), style(style)
{
    setText(initialText);
}

void CTextLabel::setText(const char* newText)
{
    std::string next = newText ? newText : "";
    if (next.size() > kMaxTextLength)
        next.resize(kMaxTextLength);
    if (next != text)
        setDirty();
    text = std::move(next);
}

void CTextLabel::draw(CDrawContext& context) { drawText(context, text); }

void CTextLabel::drawText(CDrawContext& context, const std::string& shown)
{
    const CRect& rect = getViewSize();
    if (!transparent)
        context.fillRect(rect, backColor);
    if (!(style & kNoFrame))
    {
        context.fillRect(CRect(rect.left, rect.top, rect.right, rect.top + 1), frameColor);
        context.fillRect(CRect(rect.left, rect.bottom - 1, rect.right, rect.bottom), frameColor);
        context.fillRect(CRect(rect.left, rect.top, rect.left + 1, rect.bottom), frameColor);
        context.fillRect(CRect(rect.right - 1, rect.top, rect.right, rect.bottom), frameColor);
    }
    if (!shown.empty() && font)
        context.drawString(shown, rect, font, fontColor, horiAlign, antialias);
}

} // namespace VSTGUI
