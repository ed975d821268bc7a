// The scenes' captions: bold Arial, rendered once at set-up into an alpha image.
#pragma once

class TBitmap;

// `height` is the font's cell height (lfHeight); the image has alpha and no colour plane.
TBitmap* NewCaption(int height, const char* text);
