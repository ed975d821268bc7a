// The system's fonts: Windows face names found through fontconfig, opened with FreeType and
// sized as GDI sizes them.
#pragma once

#include "text/font_face.h"

#include <memory>
#include <string>

typedef struct FT_LibraryRec_* FT_Library;
typedef struct _FcConfig FcConfig;

namespace luma {

// What a LOGFONTA asks for.
struct FontRequest {
    std::string faceName; // Windows-1252
    int height = 0;       // > 0: the cell height; < 0: the character (em) height; 0: the default
    bool bold = false;
    bool italic = false;
    bool antialiased = false; // false: one bit per pixel, as DEFAULT_QUALITY draws
};

struct FontFile {
    std::string path;
    int index = 0; // the face inside a collection
    std::string family;
};

class FontLibrary : public std::enable_shared_from_this<FontLibrary> {
public:
    // The process's one library, started on first use.
    static std::shared_ptr<FontLibrary> shared();
    ~FontLibrary();
    FontLibrary(const FontLibrary&) = delete;
    FontLibrary& operator=(const FontLibrary&) = delete;

    // The outline font for a face name: the face itself, else its metric-compatible free
    // twin ("Arial" and "MS Sans Serif" → Liberation Sans), else whatever sans the system has.
    bool find(const std::string& faceName, bool bold, bool italic, FontFile& file) const;
    // Null when no font can be found or loaded.
    std::unique_ptr<FontFace> open(const FontRequest& request);

private:
    FontLibrary();

    FT_Library freetype = nullptr;
    FcConfig* fontconfig = nullptr;
};

inline std::unique_ptr<FontFace> openFont(const FontRequest& request) {
    return FontLibrary::shared()->open(request);
}

} // namespace luma
