// The 256 × 256 pixel plane of a shared texture, safe to index with any 16-bit texel number.
#pragma once

class TBitmap;

const int texturePixels = 256 * 256;

// The texture's own pixels when it holds at least 256 × 256 of them. A smaller (or missing)
// image is copied into fallback, which must hold texturePixels, with black where the image
// has no pixel; fallback is returned then.
const unsigned short* TexturePlane(const TBitmap* texture, unsigned short* fallback);
