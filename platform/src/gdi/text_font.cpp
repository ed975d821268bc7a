#include "gdi/text_font.h"

#include "text/font_library.h"

#include <cstring>

namespace luma {

namespace {

FontRequest requestFor(const LOGFONTA& description) {
    FontRequest request;
    request.faceName.assign(description.lfFaceName,
                            strnlen(description.lfFaceName, sizeof description.lfFaceName));
    request.height = description.lfHeight;
    request.bold = description.lfWeight >= FW_SEMIBOLD;
    request.italic = description.lfItalic != 0;
    // DEFAULT_QUALITY draws whole pixels in the text colour, as it does on a 16-bit screen.
    request.antialiased =
        description.lfQuality == ANTIALIASED_QUALITY || description.lfQuality == CLEARTYPE_QUALITY;
    return request;
}

} // namespace

HGDIOBJ stockFont() {
    static HGDIOBJ handle = [] {
        FontRequest request;
        request.faceName = "MS Sans Serif";
        request.height = 16;
        auto font = std::make_unique<Font>(openFont(request));
        font->permanent = true;
        return addGdiObject(std::move(font));
    }();
    return handle;
}

HGDIOBJ selectFont(DeviceContext& context, HDC dc, HGDIOBJ font) {
    HGDIOBJ previous = context.selectedFont ? context.selectedFont : stockFont();
    if (GdiObject* old = findGdiObject(previous); old && old->selectedInto == dc)
        old->selectedInto = nullptr;
    if (font != stockFont())
        findGdiObject(font)->selectedInto = dc;
    context.selectedFont = font;
    return previous;
}

} // namespace luma

using namespace luma;

LUMA_API HFONT WINAPI CreateFontIndirectA(const LOGFONTA* description) {
    if (!description)
        return nullptr;
    std::unique_ptr<FontFace> face = openFont(requestFor(*description));
    if (!face)
        return nullptr;
    return static_cast<HFONT>(addGdiObject(std::make_unique<Font>(std::move(face))));
}
