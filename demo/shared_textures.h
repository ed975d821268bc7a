// The two 256 × 256 textures that several scenes share.
#pragma once

class TBitmap;

const int textureSide = 256;
const int texturePixels = textureSide * textureSide;

extern TBitmap* lifeTexture;
extern TBitmap* tunnelTexture;

void LoadSharedTextures();
void FreeSharedTextures();
