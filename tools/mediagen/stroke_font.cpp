#include "stroke_font.h"

#include "noise.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace mediagen {

namespace {

struct Glyph {
    char letter;
    const char* strokes; // polylines "x,y x,y ..." separated by '|'
};

// Our own letter shapes: bevelled corners give the round letters their octagonal look.
const Glyph kGlyphs[] = {
    {'A', "0,6 0,1.5 1.5,0 2.5,0 4,1.5 4,6|0,3.5 4,3.5"},
    {'B', "0,6 0,0 3,0 4,1 4,2 3,3 0,3|3,3 4,4 4,5 3,6 0,6"},
    {'C', "4,1 3,0 1,0 0,1 0,5 1,6 3,6 4,5"},
    {'D', "0,0 0,6 2.5,6 4,4.5 4,1.5 2.5,0 0,0"},
    {'E', "4,0 0,0 0,6 4,6|0,3 3,3"},
    {'F', "4,0 0,0 0,6|0,3 3,3"},
    {'G', "4,1 3,0 1,0 0,1 0,5 1,6 3,6 4,5 4,3 2,3"},
    {'H', "0,0 0,6|4,0 4,6|0,3 4,3"},
    {'I', "0,0 0,6"},
    {'J', "4,0 4,5 3,6 1,6 0,5"},
    {'K', "0,0 0,6|4,0 0.5,3 4,6"},
    {'L', "0,0 0,6 4,6"},
    {'M', "0,6 0,0 2.5,3.5 5,0 5,6"},
    {'N', "0,6 0,0 4,6 4,0"},
    {'O', "1,0 3,0 4,1 4,5 3,6 1,6 0,5 0,1 1,0"},
    {'P', "0,6 0,0 3,0 4,1 4,2 3,3 0,3"},
    {'Q', "1,0 3,0 4,1 4,5 3,6 1,6 0,5 0,1 1,0|2.5,4.5 4,6"},
    {'R', "0,6 0,0 3,0 4,1 4,2 3,3 0,3|2,3 4,6"},
    {'S', "4,1 3,0 1,0 0,1 0,2 1,3 3,3 4,4 4,5 3,6 1,6 0,5"},
    {'T', "0,0 4,0|2,0 2,6"},
    {'U', "0,0 0,5 1,6 3,6 4,5 4,0"},
    {'V', "0,0 2,6 4,0"},
    {'W', "0,0 1.25,6 2.5,2.5 3.75,6 5,0"},
    {'X', "0,0 4,6|4,0 0,6"},
    {'Y', "0,0 2,3 4,0|2,3 2,6"},
    {'Z', "0,0 4,0 0,6 4,6"},
    {'0', "1,0 2,0 3,1 3,5 2,6 1,6 0,5 0,1 1,0"},
    {'1', "0,1 1.5,0 1.5,6"},
    {'2', "0,1 1,0 3,0 4,1 4,2 0,6 4,6"},
    {'3', "0,0 4,0 2,2.5 3,2.5 4,3.5 4,5 3,6 1,6 0,5"},
    {'4', "3,6 3,0 0,4 4,4"},
    {'5', "4,0 0,0 0,2.5 3,2.5 4,3.5 4,5 3,6 0,6"},
    {'6', "3.5,0 1,0 0,1 0,5 1,6 3,6 4,5 4,4 3,3 0,3"},
    {'7', "0,0 4,0 1.5,6"},
    {'8', "1,3 0,2 0,1 1,0 3,0 4,1 4,2 3,3 1,3 0,4 0,5 1,6 3,6 4,5 4,4 3,3"},
    {'9', "0.5,6 3,6 4,5 4,1 3,0 1,0 0,1 0,2 1,3 4,3"},
    {'!', "0,0 0,4|0,5.7 0,6"},
    {'.', "0,5.7 0,6"},
    {',', "0.5,5.5 0,7"},
    {'\'', "0,0 0,1.5"},
    {'-', "0,3 3,3"},
    {'?', "0,1 1,0 3,0 4,1 4,2 2,3.5 2,4|2,5.7 2,6"},
    // Small letters: x-height from 2.5 to the baseline, descenders down to 8.
    {'a', "3,3 2,2.5 1,2.5 0,3.5 0,5 1,6 2,6 3,5|3,2.5 3,6"},
    {'b', "0,0 0,6|0,3.5 1,2.5 2,2.5 3,3.5 3,5 2,6 1,6 0,5"},
    {'c', "3,3 2,2.5 1,2.5 0,3.5 0,5 1,6 2,6 3,5.5"},
    {'d', "3,0 3,6|3,3.5 2,2.5 1,2.5 0,3.5 0,5 1,6 2,6 3,5"},
    {'e', "0,4.2 3,4.2 3,3.5 2,2.5 1,2.5 0,3.5 0,5 1,6 2,6 3,5.5"},
    {'f', "3,0.5 2.5,0 1.5,0 1,1 1,6|0,2.5 2.5,2.5"},
    {'g', "3,3.5 2,2.5 1,2.5 0,3.5 0,4.5 1,5.5 2,5.5 3,4.5|3,2.5 3,7 2,8 1,8 0,7.5"},
    {'h', "0,0 0,6|0,3.5 1,2.5 2,2.5 3,3.5 3,6"},
    {'i', "0,2.5 0,6|0,1 0,1.2"},
    {'j', "1,2.5 1,7 0.5,8 0,8|1,1 1,1.2"},
    {'k', "0,0 0,6|3,2.5 0,4.5 3,6"},
    {'l', "0,0 0,5.5 0.5,6"},
    {'m', "0,6 0,2.5|0,3.5 1,2.5 2,3.5 2,6|2,3.5 3,2.5 4,3.5 4,6"},
    {'n', "0,6 0,2.5|0,3.5 1,2.5 2,2.5 3,3.5 3,6"},
    {'o', "1,2.5 2,2.5 3,3.5 3,5 2,6 1,6 0,5 0,3.5 1,2.5"},
    {'p', "0,2.5 0,8|0,3.5 1,2.5 2,2.5 3,3.5 3,5 2,6 1,6 0,5"},
    {'q', "3,2.5 3,8|3,3.5 2,2.5 1,2.5 0,3.5 0,5 1,6 2,6 3,5"},
    {'r', "0,6 0,2.5|0,4 1,2.7 2,2.5 2.5,2.7"},
    {'s', "3,3 2,2.5 1,2.5 0,3.2 1,4.2 2,4.2 3,5 2,6 1,6 0,5.5"},
    {'t', "1,0.5 1,5.5 1.5,6 2.5,6|0,2.5 2.5,2.5"},
    {'u', "0,2.5 0,5 1,6 2,6 3,5|3,2.5 3,6"},
    {'v', "0,2.5 1.5,6 3,2.5"},
    {'w', "0,2.5 1,6 2,3.5 3,6 4,2.5"},
    {'x', "0,2.5 3,6|3,2.5 0,6"},
    {'y', "0,2.5 1.5,6|3,2.5 1.5,6 0.8,8"},
    {'z', "0,2.5 3,2.5 0,6 3,6"},
};

constexpr float kSpaceWidth = 2.5f;

using Polyline = std::vector<std::pair<float, float>>;

const char* findGlyph(char c) {
    for (const Glyph& g : kGlyphs)
        if (g.letter == c)
            return g.strokes;
    return nullptr;
}

const char* strokesOf(char c) {
    const char* strokes = findGlyph(c);
    return strokes ? strokes
                   : findGlyph(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
}

std::vector<Polyline> parseStrokes(const char* text) {
    std::vector<Polyline> lines(1);
    const char* p = text;
    while (*p) {
        if (*p == '|') {
            lines.emplace_back();
            ++p;
        } else if (*p == ' ') {
            ++p;
        } else {
            char* end = nullptr;
            float x = std::strtof(p, &end);
            float y = std::strtof(end + 1, &end); // skips the comma
            lines.back().emplace_back(x, y);
            p = end;
        }
    }
    return lines;
}

float glyphWidth(const std::vector<Polyline>& lines) {
    float w = 0;
    for (const Polyline& line : lines)
        for (const auto& pt : line)
            w = std::max(w, pt.first);
    return w;
}

// Chaikin corner cutting: each pass replaces every corner by two points a quarter along.
Polyline roundCorners(const Polyline& line, int passes) {
    Polyline current = line;
    for (int pass = 0; pass < passes && current.size() > 2; ++pass) {
        Polyline next;
        next.push_back(current.front());
        for (size_t i = 0; i + 1 < current.size(); ++i) {
            auto [ax, ay] = current[i];
            auto [bx, by] = current[i + 1];
            next.emplace_back(ax * 0.75f + bx * 0.25f, ay * 0.75f + by * 0.25f);
            next.emplace_back(ax * 0.25f + bx * 0.75f, ay * 0.25f + by * 0.75f);
        }
        next.push_back(current.back());
        current = next;
    }
    return current;
}

} // namespace

float textWidth(const std::string& text, const TextStyle& style) {
    float units = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char* strokes = strokesOf(text[i]);
        units += strokes ? glyphWidth(parseStrokes(strokes)) : kSpaceWidth;
        if (i + 1 < text.size())
            units += style.spacing;
    }
    return units * style.unitX;
}

std::vector<Segment> layoutText(const std::string& text, float left, float top,
                                const TextStyle& style) {
    std::vector<Segment> segments;
    Random random(style.seed);
    float penX = 0;
    for (char c : text) {
        const char* strokes = strokesOf(c);
        if (!strokes) {
            penX += kSpaceWidth + style.spacing;
            continue;
        }
        std::vector<Polyline> lines = parseStrokes(strokes);
        for (Polyline line : lines) {
            for (auto& pt : line) {
                pt.first += random.signedUniform() * style.jitter;
                pt.second += random.signedUniform() * style.jitter;
            }
            if (style.rounded)
                line = roundCorners(line, 2);
            auto toPicture = [&](std::pair<float, float> pt) {
                float y = top + pt.second * style.unitY;
                float x = left + (penX + pt.first) * style.unitX +
                          (top + 6 * style.unitY - y) * style.slant;
                return std::make_pair(x, y);
            };
            if (line.size() == 1) {
                auto [x, y] = toPicture(line[0]);
                segments.push_back({x, y, x, y});
            }
            for (size_t i = 0; i + 1 < line.size(); ++i) {
                auto [x0, y0] = toPicture(line[i]);
                auto [x1, y1] = toPicture(line[i + 1]);
                segments.push_back({x0, y0, x1, y1});
            }
        }
        penX += glyphWidth(lines) + style.spacing;
    }
    return segments;
}

std::vector<float> distanceField(int width, int height, const std::vector<Segment>& segments,
                                 float reach) {
    std::vector<float> field(static_cast<size_t>(width) * height, reach);
    for (const Segment& s : segments) {
        int x0 = std::max(0, static_cast<int>(std::floor(std::min(s.x0, s.x1) - reach)));
        int x1 = std::min(width - 1, static_cast<int>(std::ceil(std::max(s.x0, s.x1) + reach)));
        int y0 = std::max(0, static_cast<int>(std::floor(std::min(s.y0, s.y1) - reach)));
        int y1 = std::min(height - 1, static_cast<int>(std::ceil(std::max(s.y0, s.y1) + reach)));
        float dx = s.x1 - s.x0, dy = s.y1 - s.y0;
        float lengthSquared = dx * dx + dy * dy;
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                float px = x + 0.5f - s.x0, py = y + 0.5f - s.y0;
                float t = lengthSquared > 0
                              ? std::clamp((px * dx + py * dy) / lengthSquared, 0.0f, 1.0f)
                              : 0.0f;
                float ex = px - dx * t, ey = py - dy * t;
                float d = std::sqrt(ex * ex + ey * ey);
                float& cell = field[static_cast<size_t>(y) * width + x];
                cell = std::min(cell, d);
            }
        }
    }
    return field;
}

} // namespace mediagen
