// An image's pixels as a plane of a fixed size, safe to index anywhere inside it whatever
// the file gave.
#pragma once

class TBitmap;

// The image's own pixels when it is exactly `width` wide and at least `rows` tall. Any other
// image (or none) is copied into `copy`, which must hold width × rows pixels, black where
// the image has no pixel; `copy` is returned then.
unsigned short* ImagePlane(TBitmap* image, unsigned int width, unsigned int rows,
                           unsigned short* copy);
