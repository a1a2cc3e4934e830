// Editing in place: focus, caret and selection, UTF-8 keys, and committing or cancelling the text.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctextedit.h"

#include "cframe.h"
#include "utf8.h"

namespace VSTGUI {
namespace {

bool continuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

const CColor kEditBack{0, 0, 0, 110};
const CColor kSelection{90, 140, 200, 160};

} // namespace

CTextEdit::CTextEdit(const CRect& size, CControlListener* listener, int32_t tag, const char* text,
                     void*, int32_t style)
    : CTextLabel(size, listener, tag, text, style)
{}

void CTextEdit::draw(CDrawContext& context)
{
    if (!editing)
    {
        CTextLabel::draw(context);
        return;
    }
    const CRect& rect = getViewSize();
    context.fillRect(rect, kEditBack);
    const CCoord width = context.getStringWidth(editText, getFont());
    CCoord start = rect.left + (rect.getWidth() - width) / 2;
    if (getHoriAlign() == kLeftText || width > rect.getWidth())
        start = rect.left + 1;
    else if (getHoriAlign() == kRightText)
        start = rect.right - 1 - width;
    if (selectAll && !editText.empty())
        context.fillRect(CRect(start, rect.top + 1, start + width, rect.bottom - 1), kSelection);
    drawText(context, editText);
    const CCoord caretX = start + context.getStringWidth(editText.substr(0, caret), getFont());
    context.fillRect(CRect(caretX, rect.top + 1, caretX + 1, rect.bottom - 1), getFontColor());
}

CMouseEventResult CTextEdit::onMouseDown(CPoint&, const CButtonState& buttons)
{
    if (!(buttons & kLButton))
        return kMouseEventNotHandled;
    if (getFrame() && getFrame()->getFocusView() != this)
        getFrame()->setFocusView(this);
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

void CTextEdit::takeFocus()
{
    editing = true;
    selectAll = true;
    editText = getText();
    caret = editText.size();
    setDirty();
}

void CTextEdit::looseFocus()
{
    if (editing)
        finish(true);
}

void CTextEdit::finish(bool keep)
{
    editing = false;
    setDirty();
    if (keep && editText != getText())
    {
        setText(editText.c_str());
        valueChanged();
    }
}

void CTextEdit::insert(const std::string& characters)
{
    if (selectAll)
    {
        editText.clear();
        caret = 0;
        selectAll = false;
    }
    if (editText.size() + characters.size() > kMaxTextLength)
        return;
    editText.insert(caret, characters);
    caret += characters.size();
}

int32_t CTextEdit::onKeyDown(VstKeyCode& key)
{
    if (!editing)
        return -1;
    setDirty();
    switch (key.virt)
    {
    case VKEY_RETURN:
    case VKEY_ENTER:
    case VKEY_ESCAPE:
        finish(key.virt != VKEY_ESCAPE);
        if (getFrame() && getFrame()->getFocusView() == this)
            getFrame()->setFocusView(nullptr);
        return 1;
    case VKEY_BACK:
    case VKEY_DELETE:
        if (selectAll)
            insert("");
        else if (key.virt == VKEY_BACK && caret > 0)
        {
            size_t start = caret - 1;
            while (start > 0 && continuationByte(editText[start]))
                --start;
            editText.erase(start, caret - start);
            caret = start;
        }
        else if (key.virt == VKEY_DELETE && caret < editText.size())
        {
            size_t end = caret + 1;
            while (end < editText.size() && continuationByte(editText[end]))
                ++end;
            editText.erase(caret, end - caret);
        }
        return 1;
    case VKEY_LEFT:
        selectAll = false;
        while (caret > 0 && continuationByte(editText[--caret]))
            ;
        return 1;
    case VKEY_RIGHT:
        selectAll = false;
        while (caret < editText.size() && continuationByte(editText[++caret]))
            ;
        return 1;
    case VKEY_HOME:
        selectAll = false;
        caret = 0;
        return 1;
    case VKEY_END:
        selectAll = false;
        caret = editText.size();
        return 1;
    default:
        break;
    }
    if (key.character >= 0x20 && key.character != 0x7F && key.character <= 0x10FFFF)
    {
        std::string characters;
        appendUtf8(characters, char32_t(key.character));
        insert(characters);
        return 1;
    }
    return -1;
}

} // namespace VSTGUI
