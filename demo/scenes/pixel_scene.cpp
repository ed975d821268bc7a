#include "pixel_scene.h"

#include "demo_state.h"

#include <TDirectDraw.h>
#include <ddraw.h>

void RenderIntoBackBuffer(SceneRenderer renderer, int time) {
    DDSURFACEDESC description = {};
    description.dwSize = sizeof(DDSURFACEDESC);
    // A display that did not open has no back buffer: nothing is drawn, as with a failed lock.
    if (!directDraw->lpBack ||
        directDraw->lpBack->Lock(NULL, &description, DDLOCK_WAIT, NULL) != DD_OK)
        return;
    renderer(time, static_cast<unsigned short*>(description.lpSurface),
             static_cast<int>(description.lPitch / 2));
    directDraw->lpBack->Unlock(NULL);
}

void ClearBothPages() {
    directDraw->Flip();
    directDraw->ClearSurface(directDraw->lpBack, 0);
    directDraw->Flip();
    directDraw->ClearSurface(directDraw->lpBack, 0);
}
