// The host's Windows editor window: Win32 for the window and its messages, GDI+ for screenshots.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "hostwindow.h"

#include "widgets/win32/pngfile.h"

namespace Brumvale::Host {

using namespace Steinberg;

namespace {

constexpr wchar_t kWindowClass[] = L"BrumvaleHostWindow";

bool registerClass()
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassExW(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

} // namespace

std::unique_ptr<HostWindow> HostWindow::open(const ViewRect& bounds, std::string& error)
{
    if (!registerClass())
    {
        error = "cannot register the host window's class";
        return nullptr;
    }
    RECT outline{bounds.left, bounds.top, bounds.right, bounds.bottom};
    AdjustWindowRect(&outline, WS_OVERLAPPEDWINDOW, FALSE);
    HWND window = CreateWindowExW(0, kWindowClass, L"Brumvale host",
                                  WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, outline.left, outline.top,
                                  outline.right - outline.left, outline.bottom - outline.top,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window)
    {
        error = "cannot create the host window (is there a display?)";
        return nullptr;
    }
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    return std::unique_ptr<HostWindow>(new HostWindow(window));
}

HostWindow::~HostWindow()
{
    detach();
    DestroyWindow(window);
}

bool HostWindow::pumpUntil(const std::function<bool()>& done, int timeoutMilliseconds)
{
    const ULONGLONG end = GetTickCount64() + ULONGLONG(timeoutMilliseconds);
    for (;;)
    {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (done())
            return true;
        if (GetTickCount64() >= end)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

bool HostWindow::queueEmpty() { return HIWORD(GetQueueStatus(QS_ALLINPUT)) == 0; }

COLORREF HostWindow::pixel(int x, int y) const
{
    HDC dc = GetDC(window);
    const COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return color;
}

bool HostWindow::screenshot(const std::string& path) const
{
    RECT client;
    GetClientRect(window, &client);
    HDC windowDc = GetDC(window);
    HDC memoryDc = CreateCompatibleDC(windowDc);
    HBITMAP image = CreateCompatibleBitmap(windowDc, client.right, client.bottom);
    HGDIOBJ previous = SelectObject(memoryDc, image);
    BitBlt(memoryDc, 0, 0, client.right, client.bottom, windowDc, 0, 0, SRCCOPY);
    SelectObject(memoryDc, previous);
    ReleaseDC(window, windowDc);
    DeleteDC(memoryDc);

    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    bool saved = false;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok)
    {
        {
            Gdiplus::Bitmap picture(image, nullptr);
            saved = VSTGUI::savePng(picture, path);
        }
        Gdiplus::GdiplusShutdown(token);
    }
    DeleteObject(image);
    return saved;
}

void HostWindow::resizeWindow(int width, int height)
{
    RECT outline{0, 0, width, height};
    AdjustWindowRect(&outline, WS_OVERLAPPEDWINDOW, FALSE);
    SetWindowPos(window, nullptr, 0, 0, outline.right - outline.left, outline.bottom - outline.top,
                 SWP_NOMOVE | SWP_NOZORDER);
}

} // namespace Brumvale::Host
