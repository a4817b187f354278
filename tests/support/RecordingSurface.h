#pragma once
// A drawing surface that records every call, for tests that check what is drawn, in which order
// and colours. Reading a pixel answers from a colour map the test may fill.

#include "view/Surface.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace dorvik::test {

struct DrawCall {
    enum class Kind { Rectangle, Ellipse, MoveTo, LineTo, SetPixel, Text };
    Kind What;
    int X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    Colour Pen{}; // pen colour in force (the pixel's colour for SetPixel)
    int PenWidth = 1;
    bool BrushSolid = false;
    Colour Brush{};
    Colour Font{};
    int FontSize = 0;
    std::string Text;
};

class RecordingSurface final : public Surface {
public:
    RecordingSurface(int width = 800, int height = 600) : width_(width), height_(height) {}

    // A drawing area resized by the window.
    void Resize(int width, int height) {
        width_ = width;
        height_ = height;
    }

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void SetPenColour(Colour c) override { pen_ = c; }
    void SetPenWidth(int w) override { penWidth_ = w; }
    void SetBrushSolid(Colour c) override {
        brushSolid_ = true;
        brush_ = c;
    }
    void SetBrushHollow() override { brushSolid_ = false; }
    void SetFontColour(Colour c) override { font_ = c; }
    void SetFontSize(int points) override { fontSize_ = points; }

    void Rectangle(int l, int t, int r, int b) override {
        Add(DrawCall::Kind::Rectangle, l, t, r, b);
    }
    void Ellipse(int l, int t, int r, int b) override { Add(DrawCall::Kind::Ellipse, l, t, r, b); }
    void MoveTo(int x, int y) override { Add(DrawCall::Kind::MoveTo, x, y, x, y); }
    void LineTo(int x, int y) override { Add(DrawCall::Kind::LineTo, x, y, x, y); }
    void SetPixel(int x, int y, Colour c) override {
        Add(DrawCall::Kind::SetPixel, x, y, x, y);
        calls.back().Pen = c;
        pixels[{x, y}] = c;
    }
    std::optional<Colour> Pixel(int x, int y) const override {
        if (x < 0 || y < 0 || x >= width_ || y >= height_) {
            return std::nullopt;
        }
        const auto it = pixels.find({x, y});
        return it == pixels.end() ? Colour{} : it->second;
    }
    void TextOut(int x, int y, std::string_view text) override {
        Add(DrawCall::Kind::Text, x, y, x, y);
        calls.back().Text = std::string(text);
    }

    Colour PenColour() const { return pen_; }
    int PenWidth() const { return penWidth_; }
    bool BrushSolid() const { return brushSolid_; }
    Colour FontColour() const { return font_; }
    int FontSize() const { return fontSize_; }

    std::vector<DrawCall> Of(DrawCall::Kind kind) const {
        std::vector<DrawCall> out;
        for (const auto& c : calls) {
            if (c.What == kind) {
                out.push_back(c);
            }
        }
        return out;
    }

    std::vector<DrawCall> calls;
    std::map<std::pair<int, int>, Colour> pixels; // what Pixel() answers; SetPixel writes here

private:
    void Add(DrawCall::Kind kind, int x1, int y1, int x2, int y2) {
        calls.push_back(DrawCall{
            kind, x1, y1, x2, y2, pen_, penWidth_, brushSolid_, brush_, font_, fontSize_, {}});
    }

    int width_;
    int height_;
    Colour pen_{};
    int penWidth_ = 1;
    bool brushSolid_ = false;
    Colour brush_{};
    Colour font_{};
    int fontSize_ = 0;
};

} // namespace dorvik::test
