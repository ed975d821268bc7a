#pragma once

#include "image.h"

#include <cstdint>
#include <vector>

namespace mediagen {

Image makeEllePicture();   // Elle.tga: the key picture with the ring palette, tiles and strips
Image makeLifeTexture();   // TLife.tga: organic pattern grown on a torus
Image makeTunnelTexture(); // TTunnel.tga: wall panels that wrap around the tunnel
Image makeShadeBob();      // ShadeBob.tga: soft round sprite
Image makePolaroid();      // Polaroid.tga: instant photo with four label strips
std::vector<uint8_t> makeBumpMap(); // bumpmap.raw: 640 x 352 heights

} // namespace mediagen
