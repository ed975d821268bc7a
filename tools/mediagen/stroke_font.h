#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mediagen {

// Letters drawn as pen strokes: each glyph is a few polylines on a grid 6 units high
// (0 = cap line, 6 = baseline). Text becomes line segments in picture coordinates; pictures
// turn the distance to those segments into ink, bevels or heights.
struct Segment {
    float x0, y0, x1, y1;
};

struct TextStyle {
    float unitX = 1;      // pixels per grid unit across
    float unitY = 1;      // pixels per grid unit down
    float spacing = 1.5f; // grid units between letters
    float slant = 0;      // pixels moved right per pixel up
    bool rounded = false; // corner cutting, for a hand-drawn look
    float jitter = 0;     // grid units of random wobble per stroke point
    uint32_t seed = 1;
};

// Width in pixels of the text set in the style (without stroke thickness).
float textWidth(const std::string& text, const TextStyle& style);

// Segments of the text with its top-left corner (cap line) at (left, top).
std::vector<Segment> layoutText(const std::string& text, float left, float top,
                                const TextStyle& style);

// Distance from each pixel centre of a width x height grid to the nearest segment, capped at
// `reach` (pixels farther away all get `reach`).
std::vector<float> distanceField(int width, int height, const std::vector<Segment>& segments,
                                 float reach);

} // namespace mediagen
