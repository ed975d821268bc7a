#include "noise.h"
#include "pictures.h"

#include <algorithm>
#include <cmath>

namespace mediagen {

namespace {

constexpr int kSize = 256;
// Columns run along the tunnel, rows around it. Two light rings stream toward the viewer
// between two bands of wall panels; every feature repeats within 256 pixels, so it wraps.
constexpr int kLightWidth = 10;
constexpr int kBandWidth = 128;
constexpr int kPanelRows = 64;

Rgb lightRing(int x, int y, Rgb tint) {
    float across = std::fabs((x + 0.5f) - kLightWidth / 2.0f) / (kLightWidth / 2.0f);
    int lamp = y % 16;
    float housing = (lamp < 2) ? 0.15f : 1.0f;
    float glow = (1 - across * across) * housing;
    return mix(hex(0x101420), tint, glow) + Rgb{1, 1, 1} * (std::pow(glow, 6.0f) * 0.6f);
}

Rgb panel(int x, int y, int band) {
    int px = x % kBandWidth - kLightWidth; // 0..117 inside the band
    int py = y % kPanelRows;
    int panelIndex = (y / kPanelRows + band * 2) % 4;
    const int w = kBandWidth - kLightWidth;
    float brushed = tileFbm(x / 4.0f, y / 32.0f, 64, 3, 900 + band) * 0.25f;
    Rgb base = band == 0 ? hex(0x4A6A92) : hex(0x74506E);
    Rgb c = base * (0.8f + brushed);
    // Panel content.
    if (panelIndex == 1) { // vents
        if (px > 14 && px < w - 14 && py > 12 && py < 52)
            c = (py % 6 < 3) ? hex(0x1A1E28) : hex(0x8A96AA);
    } else if (panelIndex == 2) { // hazard stripes
        if (py > 24 && py < 40)
            c = ((px + py) / 8 % 2) ? hex(0xF0B020) : hex(0x202020);
    } else if (panelIndex == 3) { // status lamp
        float d = std::hypot(px - w / 2.0f, py - 32.0f);
        if (d < 10)
            c = mix(hex(0xFF4060), hex(0xFFE0E8), clamp01(1 - d / 6));
        else if (d < 13)
            c = hex(0x202430);
    }
    // Bevelled edges: light from the top left.
    int edge = std::min(std::min(px, w - 1 - px), std::min(py, kPanelRows - 1 - py));
    if (edge < 4) {
        bool lit = (px < 4 && px <= py) || (py < 4 && py <= px);
        c = lit ? c * 1.5f : c * 0.45f;
        if (edge == 0)
            c = hex(0x0A0C12);
    }
    // Rivets near the corners.
    const int corners[4][2] = {{8, 8}, {w - 9, 8}, {8, kPanelRows - 9}, {w - 9, kPanelRows - 9}};
    for (const auto& corner : corners) {
        float d = std::hypot(px - corner[0] + 0.5f, py - corner[1] + 0.5f);
        if (d < 3.2f)
            c = mix(hex(0x30343E), hex(0xF0F4FF),
                    clamp01(1 - std::hypot(px - corner[0] + 1.5f, py - corner[1] + 1.5f) / 2.5f));
    }
    return c;
}

} // namespace

Image makeTunnelTexture() {
    Image image(kSize, kSize, false);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            int band = x / kBandWidth;
            if (x % kBandWidth < kLightWidth)
                image.at(x, y) =
                    lightRing(x % kBandWidth, y, band == 0 ? hex(0x40E8FF) : hex(0xFF9A30));
            else
                image.at(x, y) = panel(x, y, band);
        }
    }
    return image;
}

} // namespace mediagen
