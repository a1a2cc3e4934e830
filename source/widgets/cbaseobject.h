// Reference counting of the widget layer's objects.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace VSTGUI {

// Counted in VSTGUI's way: an object starts with one reference, remember() adds
// one, forget() gives one up and deletes the object with the last. UI thread only.
class CBaseObject
{
public:
    CBaseObject() = default;
    CBaseObject(const CBaseObject&) = delete;
    CBaseObject& operator=(const CBaseObject&) = delete;

    void remember() { ++references; }
    void forget()
    {
        if (--references == 0)
            delete this;
    }

protected:
    virtual ~CBaseObject() = default;

private:
    int references = 1;
};

} // namespace VSTGUI
