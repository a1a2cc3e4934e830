// A text field the user edits in place.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ctextlabel.h"

namespace VSTGUI {

// A left click takes the keyboard focus and opens the edit with the whole text
// selected; typing replaces the selection, Backspace, Delete, Left, Right, Home
// and End work as usual. Return (or Enter) and leaving the field commit: if the
// text differs from the one before the edit, it is kept and the listener hears
// valueChanged. Escape cancels and restores the text. At most 255 bytes.
class CTextEdit : public CTextLabel
{
public:
    CTextEdit(const CRect& size, CControlListener* listener, int32_t tag, const char* text,
              void* background = nullptr, int32_t style = 0);

    void draw(CDrawContext& context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    int32_t onKeyDown(VstKeyCode& key) override;
    bool wantsFocus() const override { return true; }
    void takeFocus() override;
    void looseFocus() override;

private:
    void insert(const std::string& characters);
    void finish(bool keep);

    bool editing = false;
    bool selectAll = false;
    std::string editText;
    size_t caret = 0; // byte offset, always at a character boundary
};

} // namespace VSTGUI
