// Shows a dialog in a window of its own and feeds it the user's input until it ends.
#include "backends/sdl/sdl_backend.h"
#include "backends/sdl/sdl_keys.h"
#include "core/stop_request.h"
#include "dialogs/dialog_input.h"
#include "dialogs/dialog_painter.h"
#include "text/codepage.h"

namespace luma {

namespace {

// Signals do not wake SDL's wait: look for a stop request this often.
constexpr int stopCheckMs = 200;

struct DialogWindow {
    SDL_Window* window = nullptr;
    const DialogPainter* painter = nullptr;
    int scale = 1;
};

int scaleFor(const DialogPainter& painter) {
    SDL_Rect usable{};
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0)
        return 1;
    SDL_DisplayMode mode{};
    int screenHeight = SDL_GetDesktopDisplayMode(0, &mode) == 0 ? mode.h : usable.h;
    return dialogScale(painter, screenHeight, usable.w, usable.h);
}

// The window has no frame of its own: its painted caption moves it.
SDL_HitTestResult hitTest(SDL_Window*, const SDL_Point* point, void* data) {
    const DialogWindow& shown = *static_cast<const DialogWindow*>(data);
    DialogHit hit = shown.painter->hitTest(point->x / shown.scale, point->y / shown.scale);
    return hit.part == DialogHit::Caption ? SDL_HITTEST_DRAGGABLE : SDL_HITTEST_NORMAL;
}

// Each picture pixel becomes a square of scale × scale: sharp at any size.
void present(const DialogWindow& shown, const PixelImage& image) {
    SDL_Surface* target = SDL_GetWindowSurface(shown.window);
    if (!target)
        return;
    int scale = shown.scale;
    PixelImage scaled;
    scaled.resize(image.width * scale, image.height * scale);
    for (int y = 0; y < scaled.height; ++y)
        for (int x = 0; x < scaled.width; ++x)
            scaled.pixels[static_cast<size_t>(y) * scaled.width + x] =
                image.at(x / scale, y / scale);
    SDL_Surface* source =
        SDL_CreateRGBSurfaceWithFormatFrom(scaled.pixels.data(), scaled.width, scaled.height, 32,
                                           scaled.width * 4, SDL_PIXELFORMAT_RGB888);
    if (!source)
        return;
    SDL_BlitSurface(source, nullptr, target, nullptr);
    SDL_FreeSurface(source);
    SDL_UpdateWindowSurface(shown.window);
}

bool isOurs(const SDL_Event& event, Uint32 windowId) {
    switch (event.type) {
    case SDL_WINDOWEVENT:
        return event.window.windowID == windowId;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        return event.button.windowID == windowId && event.button.button == SDL_BUTTON_LEFT;
    case SDL_MOUSEMOTION:
        return event.motion.windowID == windowId;
    default:
        return true;
    }
}

// What the closed dialog window leaves in the queue must not reach the program's window:
// its own window events, and the quit SDL sends when the last window is closed.
int isLeftOver(void* windowId, SDL_Event* event) {
    bool ours =
        event->type == SDL_WINDOWEVENT && event->window.windowID == *static_cast<Uint32*>(windowId);
    return ours || event->type == SDL_QUIT ? 0 : 1;
}

// Feeds one event to the dialog.
void handle(const SDL_Event& event, const DialogWindow& shown, Dialog& dialog, DialogInput& input) {
    int scale = shown.scale;
    switch (event.type) {
    case SDL_MOUSEBUTTONDOWN:
        input.mouseDown(event.button.x / scale, event.button.y / scale);
        break;
    case SDL_MOUSEMOTION:
        input.mouseMove(event.motion.x / scale, event.motion.y / scale);
        break;
    case SDL_MOUSEBUTTONUP:
        input.mouseUp(event.button.x / scale, event.button.y / scale);
        break;
    case SDL_KEYDOWN: {
        Uint16 modifiers = event.key.keysym.mod;
        input.keyDown(virtualKeyOf(event.key.keysym.sym), (modifiers & KMOD_SHIFT) != 0,
                      (modifiers & KMOD_ALT) != 0);
        break;
    }
    case SDL_TEXTINPUT:
        // With Alt held the key itself was the mnemonic.
        if (!(SDL_GetModState() & KMOD_ALT))
            input.typed(utf8ToWindows1252(event.text.text));
        break;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_CLOSE)
            dialog.close();
        break;
    case SDL_QUIT:
        dialog.close();
        break;
    default:
        break;
    }
}

} // namespace

bool runSdlDialog(Dialog& dialog) {
    DialogPainter painter(dialog);
    if (!painter.ready())
        return false;
    DialogWindow shown;
    shown.painter = &painter;
    shown.scale = scaleFor(painter);
    const char* caption = dialog.dialogTemplate().caption;
    shown.window =
        SDL_CreateWindow(windows1252ToUtf8(caption ? caption : "").c_str(), SDL_WINDOWPOS_CENTERED,
                         SDL_WINDOWPOS_CENTERED, painter.width() * shown.scale,
                         painter.height() * shown.scale, SDL_WINDOW_BORDERLESS);
    if (!shown.window)
        return false;
    SDL_SetWindowHitTest(shown.window, hitTest, &shown);
    SDL_RaiseWindow(shown.window);
    int cursorShown = SDL_ShowCursor(SDL_QUERY);
    SDL_ShowCursor(SDL_ENABLE);
    bool textWasOn = SDL_IsTextInputActive();
    SDL_StartTextInput();
    Uint32 windowId = SDL_GetWindowID(shown.window);

    DialogInput input(dialog, painter);
    PixelImage picture;
    painter.paint(picture, input.shownPressed());
    present(shown, picture);
    while (!dialog.ended()) {
        SDL_Event event;
        bool arrived = SDL_WaitEventTimeout(&event, stopCheckMs) != 0;
        if (takeStopRequest())
            dialog.pressKey(VK_ESCAPE, false, false);
        if (arrived && isOurs(event, windowId))
            handle(event, shown, dialog, input);
        if (arrived && !dialog.ended()) {
            painter.paint(picture, input.shownPressed());
            present(shown, picture);
        }
    }

    if (!textWasOn)
        SDL_StopTextInput();
    SDL_ShowCursor(cursorShown);
    SDL_DestroyWindow(shown.window);
    SDL_PumpEvents();
    SDL_FilterEvents(isLeftOver, &windowId);
    return true;
}

} // namespace luma
