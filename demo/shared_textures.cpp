#include "shared_textures.h"

#include "demo_state.h"

#include <TBitmap.h>

TBitmap* lifeTexture;
TBitmap* tunnelTexture;

void LoadSharedTextures() {
    lifeTexture = new TBitmap(directDraw, "Media\\TLife.tga", 0);
    tunnelTexture = new TBitmap(directDraw, "Media\\TTunnel.tga", 0);
}

void FreeSharedTextures() {
    delete lifeTexture;
    lifeTexture = 0;
    delete tunnelTexture;
    tunnelTexture = 0;
}
