// Rectangles, film-strip frames and text drawn with GDI+, and stand-in fonts for a missing Arial.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "gdiplusdrawcontext.h"

#include "gdiplusbitmap.h"
#include "widgets/cbitmap.h"

#include <memory>
#include <string>

namespace VSTGUI {
namespace {

Gdiplus::Color colorOf(const CColor& color)
{
    return Gdiplus::Color(color.alpha, color.red, color.green, color.blue);
}

Gdiplus::RectF rectOf(const CRect& rect)
{
    return Gdiplus::RectF(Gdiplus::REAL(rect.left), Gdiplus::REAL(rect.top),
                          Gdiplus::REAL(rect.getWidth()), Gdiplus::REAL(rect.getHeight()));
}

std::wstring wide(const std::string& utf8)
{
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring text(size_t(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), text.data(), length);
    return text;
}

// The font's face, or the nearest one there is: Arial's metric twin, then any sans
// serif face (Wine has neither Arial nor Microsoft's stand-ins).
std::unique_ptr<Gdiplus::Font> fontOf(CFontRef font)
{
    const std::wstring faces[] = {wide(font->name), L"Liberation Sans", L"DejaVu Sans"};
    for (const std::wstring& face : faces)
    {
        Gdiplus::FontFamily family(face.c_str());
        if (family.IsAvailable())
            return std::make_unique<Gdiplus::Font>(&family, Gdiplus::REAL(font->size),
                                                   Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    }
    return std::make_unique<Gdiplus::Font>(Gdiplus::FontFamily::GenericSansSerif(),
                                           Gdiplus::REAL(font->size), Gdiplus::FontStyleRegular,
                                           Gdiplus::UnitPixel);
}

} // namespace

GdiplusDrawContext::GdiplusDrawContext(Gdiplus::Graphics& graphics, double scale)
    : CDrawContext(scale), graphics(graphics)
{
    if (scale != 1.0)
        graphics.ScaleTransform(Gdiplus::REAL(scale), Gdiplus::REAL(scale));
}

void GdiplusDrawContext::fillRect(const CRect& rect, const CColor& color)
{
    Gdiplus::SolidBrush brush(colorOf(color));
    graphics.FillRectangle(&brush, rectOf(rect));
}

void GdiplusDrawContext::drawBitmap(CBitmap& bitmap, const CRect& dest, const CPoint& offset,
                                    float alpha)
{
    const CBitmap::Resolution set = bitmap.forScale(getScale());
    auto* image = static_cast<GdiplusBitmap*>(set.bitmap);
    if (!image || dest.isEmpty())
        return;
    Gdiplus::ImageAttributes attributes;
    Gdiplus::ColorMatrix matrix = {{{1, 0, 0, 0, 0},
                                    {0, 1, 0, 0, 0},
                                    {0, 0, 1, 0, 0},
                                    {0, 0, 0, Gdiplus::REAL(alpha), 0},
                                    {0, 0, 0, 0, 1}}};
    attributes.SetColorMatrix(&matrix);
    const bool scaled = double(set.factor) != getScale();
    if (scaled)
    {
        // Smoothing reads beyond the source's edges: mirror them rather than take
        // in the next frame of a film strip or a transparent border.
        attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    }
    const Gdiplus::REAL factor = Gdiplus::REAL(set.factor);
    graphics.DrawImage(&image->get(), rectOf(dest), Gdiplus::REAL(offset.x) * factor,
                       Gdiplus::REAL(offset.y) * factor, Gdiplus::REAL(dest.getWidth()) * factor,
                       Gdiplus::REAL(dest.getHeight()) * factor, Gdiplus::UnitPixel, &attributes);
    if (scaled)
    {
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeDefault);
        graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeDefault);
    }
}

void GdiplusDrawContext::drawString(const std::string& text, const CRect& rect, CFontRef font,
                                    const CColor& color, CHoriTxtAlign align, bool antialias)
{
    const auto chosen = fontOf(font);
    // Typographic layout adds no padding around the text, as cairo does not.
    Gdiplus::StringFormat format(Gdiplus::StringFormat::GenericTypographic());
    format.SetAlignment(align == kLeftText    ? Gdiplus::StringAlignmentNear
                        : align == kRightText ? Gdiplus::StringAlignmentFar
                                              : Gdiplus::StringAlignmentCenter);
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    format.SetFormatFlags(format.GetFormatFlags() | Gdiplus::StringFormatFlagsNoWrap |
                          Gdiplus::StringFormatFlagsNoClip);
    graphics.SetTextRenderingHint(antialias ? Gdiplus::TextRenderingHintAntiAlias
                                            : Gdiplus::TextRenderingHintSingleBitPerPixel);
    Gdiplus::SolidBrush brush(colorOf(color));
    const std::wstring shown = wide(text);
    graphics.DrawString(shown.c_str(), INT(shown.size()), chosen.get(), rectOf(rect), &format,
                        &brush);
}

CCoord GdiplusDrawContext::getStringWidth(const std::string& text, CFontRef font)
{
    const auto chosen = fontOf(font);
    const std::wstring shown = wide(text);
    Gdiplus::RectF bounds;
    graphics.MeasureString(shown.c_str(), INT(shown.size()), chosen.get(), Gdiplus::PointF(0, 0),
                           Gdiplus::StringFormat::GenericTypographic(), &bounds);
    return bounds.Width;
}

void GdiplusDrawContext::pushClipRect(const CRect& rect)
{
    states.push_back(graphics.Save());
    graphics.IntersectClip(rectOf(rect));
}

void GdiplusDrawContext::popClipRect()
{
    if (states.empty())
        return;
    graphics.Restore(states.back());
    states.pop_back();
}

} // namespace VSTGUI
