// The Win32 frame's window class and messages, its double-buffered painting, and its window's DPI.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32frame.h"

#include "gdiplusdrawcontext.h"

#include "widgets/zoomrange.h"

#include <windowsx.h>

namespace VSTGUI {
namespace {

constexpr wchar_t kWindowClass[] = L"BrumvaleFrame";
constexpr CColor kBeyondPanel{16, 35, 50, 255};

// The window class lives while a window of it does.
int windowsAlive = 0;

CButtonState buttonsOf(WPARAM keys)
{
    CButtonState buttons = 0;
    if (keys & MK_LBUTTON)
        buttons |= kLButton;
    if (keys & MK_RBUTTON)
        buttons |= kRButton;
    if (keys & MK_SHIFT)
        buttons |= kShift;
    if (keys & MK_CONTROL)
        buttons |= kControl;
    if (GetKeyState(VK_MENU) < 0)
        buttons |= kAlt;
    return buttons;
}

unsigned char virtualKeyOf(WPARAM key)
{
    switch (key)
    {
    case VK_RETURN:
        return VKEY_RETURN;
    case VK_ESCAPE:
        return VKEY_ESCAPE;
    case VK_BACK:
        return VKEY_BACK;
    case VK_DELETE:
        return VKEY_DELETE;
    case VK_LEFT:
        return VKEY_LEFT;
    case VK_RIGHT:
        return VKEY_RIGHT;
    case VK_HOME:
        return VKEY_HOME;
    case VK_END:
        return VKEY_END;
    default:
        return 0;
    }
}

} // namespace

std::unique_ptr<Win32Frame> Win32Frame::create(IPlatformFrameCallback& frame, const CRect& size,
                                               HWND parent, HINSTANCE module)
{
    if (windowsAlive == 0)
    {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = &Win32Frame::windowProcedure;
        windowClass.hInstance = module;
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kWindowClass;
        if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            return nullptr;
    }
    std::unique_ptr<Win32Frame> created(new Win32Frame(frame));
    created->module = module;
    ++windowsAlive;
    created->window = CreateWindowExW(
        0, kWindowClass, L"Brumvale", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0,
        int(size.getWidth()), int(size.getHeight()), parent, nullptr, module, created.get());
    if (!created->window)
        return nullptr;
    return created;
}

Win32Frame::~Win32Frame()
{
    if (window)
    {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }
    if (--windowsAlive == 0)
        UnregisterClassW(kWindowClass, module);
}

void Win32Frame::invalidRect(const CRect& rect)
{
    const RECT area{LONG(rect.left), LONG(rect.top), LONG(rect.right), LONG(rect.bottom)};
    InvalidateRect(window, &area, FALSE);
    UpdateWindow(window);
}

CRect Win32Frame::setSize(const CRect& size)
{
    SetWindowPos(window, nullptr, 0, 0, int(size.getWidth()), int(size.getHeight()),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return size;
}

double Win32Frame::getScreenScale() const
{
    // GetDpiForWindow knows the monitor and the host's DPI awareness (Windows 10
    // 1607 on); before it, the desktop's DPI is all there is.
    using DpiForWindow = UINT(WINAPI*)(HWND);
    const auto dpiForWindow = reinterpret_cast<DpiForWindow>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    double dpi = 0.0;
    if (dpiForWindow)
        dpi = double(dpiForWindow(GetParent(window)));
    else if (HDC screen = GetDC(nullptr))
    {
        dpi = double(GetDeviceCaps(screen, LOGPIXELSX));
        ReleaseDC(nullptr, screen);
    }
    return limitZoom(dpi / USER_DEFAULT_SCREEN_DPI);
}

LRESULT CALLBACK Win32Frame::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam)
{
    if (message == WM_NCCREATE)
    {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(creation->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32Frame*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || !self->window)
        return DefWindowProcW(window, message, wParam, lParam);
    // No exception may cross into the system's (and the host's) message loop; an
    // event whose handling ran out of memory is dropped.
    try
    {
        return self->handle(message, wParam, lParam);
    }
    catch (...)
    {
        return 0;
    }
}

void Win32Frame::paint()
{
    PAINTSTRUCT paintStruct;
    HDC dc = BeginPaint(window, &paintStruct);
    RECT client;
    GetClientRect(window, &client);
    const CRect area(paintStruct.rcPaint.left, paintStruct.rcPaint.top, paintStruct.rcPaint.right,
                     paintStruct.rcPaint.bottom);
    if (!area.isEmpty() && client.right > 0 && client.bottom > 0)
    {
        Gdiplus::Bitmap backBuffer(client.right, client.bottom, PixelFormat32bppPARGB);
        {
            Gdiplus::Graphics graphics(&backBuffer);
            {
                GdiplusDrawContext unscaled(graphics);
                unscaled.pushClipRect(area);
                unscaled.fillRect(area, kBeyondPanel);
            }
            const PanelPlacement placed = frame.platformGetPlacement();
            graphics.TranslateTransform(Gdiplus::REAL(placed.left), Gdiplus::REAL(placed.top));
            GdiplusDrawContext context(graphics, placed.zoom);
            frame.platformDrawRect(context, area);
        }
        Gdiplus::Graphics screen(dc);
        screen.DrawImage(&backBuffer, INT(area.left), INT(area.top), INT(area.left), INT(area.top),
                         INT(area.getWidth()), INT(area.getHeight()), Gdiplus::UnitPixel);
    }
    EndPaint(window, &paintStruct);
}

LRESULT Win32Frame::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    CPoint where(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    switch (message)
    {
    case WM_PAINT:
        paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
        SetFocus(window);
        SetCapture(window);
        frame.platformOnMouseDown(where, buttonsOf(wParam));
        return 0;
    case WM_MOUSEMOVE:
        frame.platformOnMouseMoved(where, buttonsOf(wParam));
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        ReleaseCapture();
        frame.platformOnMouseUp(where, buttonsOf(wParam));
        return 0;
    case WM_MOUSEWHEEL:
    {
        POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(window, &screen);
        frame.platformOnWheel(CPoint(screen.x, screen.y),
                              float(GET_WHEEL_DELTA_WPARAM(wParam)) / WHEEL_DELTA,
                              buttonsOf(GET_KEYSTATE_WPARAM(wParam)));
        return 0;
    }
    case WM_KEYDOWN:
        if (const unsigned char virtualKey = virtualKeyOf(wParam))
        {
            VstKeyCode key;
            key.virt = virtualKey;
            frame.platformOnKeyDown(key);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam >= 0x20 && wParam != 0x7F)
        {
            VstKeyCode key;
            key.character = int32_t(wParam);
            frame.platformOnKeyDown(key);
            return 0;
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace VSTGUI
