// Text on device contexts: colours, background mode and DrawTextA over the selected font.
#include "gdi/device_context.h"
#include "gdi/text_font.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace luma;

namespace {

const FontFace* selectedGlyphs(const DeviceContext& context) {
    Font* font = findGdiObjectOf<Font>(context.selectedFont ? context.selectedFont : stockFont());
    return font ? font->glyphs() : nullptr;
}

// The text's lines: one for DT_SINGLELINE, else one per line feed ("\r\n" too).
std::vector<std::string> linesOf(const std::string& text, UINT format) {
    if (format & DT_SINGLELINE)
        return {text};
    std::vector<std::string> lines(1);
    for (char c : text) {
        if (c == '\n')
            lines.emplace_back();
        else if (c != '\r')
            lines.back().push_back(c);
    }
    return lines;
}

uint8_t mixChannel(COLORREF under, COLORREF over, int shift, int coverage) {
    int a = (under >> shift) & 0xFF;
    int b = (over >> shift) & 0xFF;
    return static_cast<uint8_t>((a * (255 - coverage) + b * coverage) / 255);
}

// One line with its pen start at (x, y), kept inside `clip` and the canvas.
void drawLine(Canvas& canvas, const FontFace& face, const std::string& line, int x, int y,
              const RECT& clip, const DeviceContext& context) {
    TextCoverage ink = face.render(line);
    int left = x - ink.originX;
    if (context.backgroundMode == OPAQUE)
        for (int row = 0; row < ink.height; ++row)
            for (int column = 0; column < ink.width; ++column) {
                int px = left + column;
                int py = y + row;
                if (px >= clip.left && px < clip.right && py >= clip.top && py < clip.bottom &&
                    canvas.contains(px, py))
                    canvas.setPixel(px, py, context.backgroundColour);
            }
    for (int row = 0; row < ink.height; ++row)
        for (int column = 0; column < ink.width; ++column) {
            int coverage = ink.at(column, row);
            int px = left + column;
            int py = y + row;
            if (coverage == 0 || px < clip.left || px >= clip.right || py < clip.top ||
                py >= clip.bottom || !canvas.contains(px, py))
                continue;
            if (coverage == 255) {
                canvas.setPixel(px, py, context.textColour);
                continue;
            }
            COLORREF under = canvas.pixel(px, py);
            COLORREF over = context.textColour;
            canvas.setPixel(px, py,
                            RGB(mixChannel(under, over, 0, coverage),
                                mixChannel(under, over, 8, coverage),
                                mixChannel(under, over, 16, coverage)));
        }
}

} // namespace

LUMA_API COLORREF WINAPI SetTextColor(HDC dc, COLORREF colour) {
    DeviceContext* context = findDeviceContext(dc);
    if (!context)
        return CLR_INVALID;
    COLORREF previous = context->textColour;
    context->textColour = colour & 0xFFFFFF;
    return previous;
}

LUMA_API COLORREF WINAPI SetBkColor(HDC dc, COLORREF colour) {
    DeviceContext* context = findDeviceContext(dc);
    if (!context)
        return CLR_INVALID;
    COLORREF previous = context->backgroundColour;
    context->backgroundColour = colour & 0xFFFFFF;
    return previous;
}

LUMA_API int WINAPI SetBkMode(HDC dc, int mode) {
    DeviceContext* context = findDeviceContext(dc);
    if (!context || (mode != TRANSPARENT && mode != OPAQUE))
        return 0;
    int previous = context->backgroundMode;
    context->backgroundMode = mode;
    return previous;
}

LUMA_API int WINAPI DrawTextA(HDC dc, LPCSTR text, int count, LPRECT rect, UINT format) {
    DeviceContext* context = findDeviceContext(dc);
    const FontFace* face = context ? selectedGlyphs(*context) : nullptr;
    if (!face || !text || !rect)
        return 0;
    std::string whole = count < 0 ? std::string(text) : std::string(text, size_t(count));
    std::vector<std::string> lines = linesOf(whole, format);
    int lineHeight = face->height();
    int textHeight = lineHeight * int(lines.size());
    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const std::string& line : lines)
            widest = std::max(widest, face->measure(line));
        rect->right = rect->left + widest;
        rect->bottom = rect->top + textHeight;
        return textHeight;
    }
    Canvas* canvas = context->canvas();
    if (!canvas)
        return 0;
    RECT clip = *rect;
    if (format & DT_NOCLIP)
        clip = {-0x3FFFFFFF, -0x3FFFFFFF, 0x3FFFFFFF, 0x3FFFFFFF};
    int y = rect->top;
    if ((format & DT_SINGLELINE) && (format & DT_VCENTER))
        y = rect->top + (rect->bottom - rect->top - lineHeight) / 2;
    else if ((format & DT_SINGLELINE) && (format & DT_BOTTOM))
        y = rect->bottom - lineHeight;
    for (const std::string& line : lines) {
        int width = face->measure(line);
        int x = rect->left;
        if (format & DT_CENTER)
            x = rect->left + (rect->right - rect->left - width) / 2;
        else if (format & DT_RIGHT)
            x = rect->right - width;
        drawLine(*canvas, *face, line, x, y, clip, *context);
        y += lineHeight;
    }
    return textHeight;
}
