// The system's fonts: Windows face names found by the font look-up, opened with FreeType and
// sized as GDI sizes them.
#pragma once

#include "text/font_face.h"
#include "text/font_lookup.h"

#include <memory>
#include <string>

typedef struct FT_LibraryRec_* FT_Library;

namespace luma {

// What a LOGFONTA asks for.
struct FontRequest {
    std::string faceName; // Windows-1252
    int height = 0;       // > 0: the cell height; < 0: the character (em) height; 0: the default
    bool bold = false;
    bool italic = false;
    bool antialiased = false; // false: one bit per pixel, as DEFAULT_QUALITY draws
};

class FontLibrary : public std::enable_shared_from_this<FontLibrary> {
public:
    // The process's one library, started on first use.
    static std::shared_ptr<FontLibrary> shared();
    ~FontLibrary();
    FontLibrary(const FontLibrary&) = delete;
    FontLibrary& operator=(const FontLibrary&) = delete;

    // Null when no font can be found or loaded.
    std::unique_ptr<FontFace> open(const FontRequest& request);

private:
    FontLibrary();

    FT_Library freetype = nullptr;
};

inline std::unique_ptr<FontFace> openFont(const FontRequest& request) {
    return FontLibrary::shared()->open(request);
}

} // namespace luma
