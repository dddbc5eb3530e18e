#include "board_painter.h"

#include "control_ids.h"
#include "form_layout.h"

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

namespace layout = vendaro::layout;

namespace {

void fill(HDC dc, const RECT& rect, unsigned rgb)
{
    SetDCBrushColor(dc, colourRef(rgb));
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void band(HDC dc, int left, int top, int right, int bottom, unsigned rgb) { fill(dc, {left, top, right, bottom}, rgb); }

// The sunken 3-D border of the boxes and table squares, rings `t` pixels wide:
// grey then black above and to the left, white then silver below and to the right.
void drawSunkenBorder(HDC dc, const RECT& r, int t)
{
    band(dc, r.left, r.top, r.right - t, r.top + t, 0x808080);
    band(dc, r.left, r.top, r.left + t, r.bottom - t, 0x808080);
    band(dc, r.left, r.bottom - t, r.right, r.bottom, 0xFFFFFF);
    band(dc, r.right - t, r.top, r.right, r.bottom, 0xFFFFFF);
    band(dc, r.left + t, r.top + t, r.right - 2 * t, r.top + 2 * t, 0x000000);
    band(dc, r.left + t, r.top + t, r.left + 2 * t, r.bottom - 2 * t, 0x000000);
    band(dc, r.left + t, r.bottom - 2 * t, r.right - t, r.bottom - t, 0xC0C0C0);
    band(dc, r.right - 2 * t, r.top + t, r.right - t, r.bottom - t, 0xC0C0C0);
}

// Only the part of the picture inside the area painted is blended: each
// control paints its own small part of the board, and blending the whole
// board for every one of them would slow the first frame.
void drawPicture(HDC dc, const RECT& area, const Pictures& pictures, layout::Picture picture, POINT at)
{
    const HBITMAP bitmap = pictures.bitmap(picture);
    const SIZE size = pictures.size(picture);
    const RECT placed{at.x, at.y, at.x + size.cx, at.y + size.cy};
    RECT shown;
    if (!bitmap || !IntersectRect(&shown, &placed, &area))
        return;
    OwnedDc source(CreateCompatibleDC(dc));
    Selected selected(source.get(), bitmap);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    const int width = shown.right - shown.left, height = shown.bottom - shown.top;
    AlphaBlend(dc, shown.left, shown.top, width, height, source.get(), shown.left - at.x, shown.top - at.y, width,
               height, blend);
}

// Each character stands where the face's own advances put it, rounded to a
// pixel only where it is drawn, as on the other editions: GDI's advances,
// rounded one by one, would drift a pixel every few characters.
void drawCaption(HDC dc, std::wstring_view caption, const RECT& rect, const layout::LabelLook& label, const Look& look)
{
    const double em = look.scale().px(label.fontPixels);
    std::vector<double> x{0};
    for (const wchar_t character : caption)
        x.push_back(x.back() + look.advance(character) * em);
    const double left =
        rect.left + (label.alignment == layout::Align::Centre ? (rect.right - rect.left - x.back()) / 2 : 0);
    std::vector<INT> steps;
    for (std::size_t i = 1; i < x.size(); ++i)
        steps.push_back(static_cast<INT>(std::lround(left + x[i]) - std::lround(left + x[i - 1])));
    ExtTextOutW(dc, static_cast<int>(std::lround(left)), rect.top, ETO_CLIPPED, &rect, caption.data(),
                static_cast<UINT>(caption.size()), steps.data());
}

void drawLabel(HDC dc, const layout::LabelLook& label, HWND form, const Look& look)
{
    RECT rect = look.scale().rect(label.rect);
    if (label.background)
        fill(dc, rect, *label.background);
    if (label.sunkenBorder) {
        const int border = look.scale().px(1);
        drawSunkenBorder(dc, rect, border);
        InflateRect(&rect, -2 * border, -2 * border);
    }
    if (label.fontPixels == 0)
        return;
    wchar_t caption[64];
    const int length = GetDlgItemTextW(form, control_ids::ofLabel(label.number), caption, 64);
    Selected font(dc, look.font(label.fontPixels));
    SetTextColor(dc, colourRef(label.textColour));
    drawCaption(dc, {caption, static_cast<std::size_t>(length)}, rect, label, look);
}

void drawControl(HDC dc, const RECT& area, int id, HWND form, const Look& look)
{
    const int number = control_ids::numberOf(id);
    const RECT rect = look.scale().rect(control_ids::placeOf(id));
    RECT shown;
    if (!IntersectRect(&shown, &rect, &area))
        return;
    switch (control_ids::kindOf(id)) {
    case control_ids::Kind::Label:
        return drawLabel(dc, control_ids::labelLook(number), form, look);
    case control_ids::Kind::Image:
        if (IsWindowVisible(GetDlgItem(form, id)))
            drawPicture(dc, area, look.pictures(), layout::pictureOfImage(number), {rect.left, rect.top});
        return;
    case control_ids::Kind::Box: {
        fill(dc, rect, layout::kBoxBackground);
        drawSunkenBorder(dc, rect, look.scale().px(1));
        return;
    }
    }
}

const std::vector<int>& backToFront()
{
    static const std::vector<int> ids = [] {
        std::vector<int> order;
        for (const std::string& name : layout::stackingBackToFront())
            order.push_back(control_ids::ofName(name));
        return order;
    }();
    return ids;
}

} // namespace

void paintBoard(HDC target, const RECT& area, POINT at, HWND form, const Look& look)
{
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return;
    // Drawn off screen and shown at once, so that nothing flickers.
    OwnedDc dc(CreateCompatibleDC(target));
    OwnedBitmap canvas(CreateCompatibleBitmap(target, width, height));
    Selected selected(dc.get(), canvas.get());
    SetViewportOrgEx(dc.get(), -area.left, -area.top, nullptr);
    SetBkMode(dc.get(), TRANSPARENT);
    drawPicture(dc.get(), area, look.pictures(), layout::Picture::Board, {0, 0});
    for (const int id : backToFront())
        drawControl(dc.get(), area, id, form, look);
    BitBlt(target, at.x, at.y, width, height, dc.get(), area.left, area.top, SRCCOPY);
}
