// The bitmap font reader, and the three ways the engine draws with a font: measuring,
// printing onto a surface and rendering a text bitmap.
#include "engine_host.h"

#include <TBitmap.h>
#include <TDirectFont.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// Every character the font can hold, on two lines.
std::string everyGlyph() {
    std::string text;
    for (int c = 32; c < 256; ++c) {
        text += static_cast<char>(c);
        if (c == 127)
            text += '\n';
    }
    return text;
}

// Reads the last byte of the glyph rows, so that rows shorter than the font's size are caught.
unsigned touchEnd(const TDirectFont& font) {
    size_t bytes = size_t(font.width) * size_t(font.height);
    return font.fontData && bytes ? font.fontData[bytes - 1] : 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static EngineHost host(EngineHost::displayOnly);
    static const std::string text = everyGlyph();
    static LPSURFACE page = [] {
        LPSURFACE surface = nullptr;
        host.display->CreateSurface(surface, 96, 40, nullptr);
        return surface;
    }();
    const char* file = host.workspace.writeInput(data, size);
    TDirectFont font(file);
    volatile unsigned sink = touchEnd(font);
    sink =
        sink + unsigned(font.getStringWidth(reinterpret_cast<const unsigned char*>(text.c_str())));
    if (!font.getFontData())
        return 0;
    if (page) {
        host.display->PrintText(&font, page, -3, 2, text.c_str(), 0xFFFF, 0);
        host.display->PrintText(&font, page, 50, -1, text.c_str(), 0x1234, 100);
    }
    // Kept small: a wide font makes a wide picture, and every input would pay for it.
    if (size_t(font.width) * size_t(font.height) <= 1u << 20) {
        TBitmap caption(host.display, &font, "Gl\xFCmmer\nfall ~");
        sink = sink + caption.width;
    }
    return 0;
}
