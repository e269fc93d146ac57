// Drawing surface of the pictures: a bitmap, a metafile or a printer page, drawn with the current
// pen, brush and font in device pixels. The picture code draws through this only, so that one
// layout serves the screen, the files and the printer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vez {

// 0x00BBGGRR: red in the low byte, as the colours of the configuration file are stored.
using CanvasColor = std::uint32_t;
inline constexpr CanvasColor RGBColor(int r, int g, int b) {
    return static_cast<CanvasColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

enum class PenStyle { Solid, Dash, Dot, Clear };
enum class BrushStyle { Solid, Clear };

struct Pen {
    CanvasColor color = 0;
    int width = 1;
    PenStyle style = PenStyle::Solid;
    bool operator==(const Pen&) const = default;
};

struct Brush {
    CanvasColor color = 0xFFFFFF;
    BrushStyle style = BrushStyle::Solid;
    bool operator==(const Brush&) const = default;
};

struct Font {
    std::string name; // Windows-1251
    int height = 12;  // character height in pixels
    CanvasColor color = 0;
    bool bold = false, italic = false, underline = false, strikeOut = false;
    bool operator==(const Font&) const = default;
};

struct CanvasPoint {
    int x = 0, y = 0;
    bool operator==(const CanvasPoint&) const = default;
};

// Right and bottom are exclusive, as in the rectangles of the drawing calls.
struct CanvasRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const CanvasRect&) const = default;
};

// A decoded picture: rows top to bottom, CanvasColor per pixel.
struct CanvasImage {
    int width = 0, height = 0;
    std::vector<CanvasColor> pixels;
};

class Canvas {
  public:
    virtual ~Canvas() = default;

    virtual void SetPen(const Pen& pen) = 0;
    virtual void SetBrush(const Brush& brush) = 0;
    virtual void SetFont(const Font& font) = 0;
    // Text is drawn over its background box filled with the brush colour, or transparently.
    virtual void SetTransparentText(bool transparent) = 0;

    // Extent of Windows-1251 text in the current font.
    virtual int TextWidth(const std::string& text) = 0;
    virtual int TextHeight(const std::string& text) = 0;
    virtual void TextOut(int x, int y, const std::string& text) = 0;
    // Text with its top-left corner at (x, y), cut off outside `clip`.
    virtual void TextRect(const CanvasRect& clip, int x, int y, const std::string& text) = 0;

    // Filled with the brush and outlined with the pen.
    virtual void Rectangle(const CanvasRect& r) = 0;
    virtual void RoundRect(const CanvasRect& r, int cornerWidth, int cornerHeight) = 0;
    virtual void Ellipse(const CanvasRect& r) = 0;
    virtual void Polygon(const std::vector<CanvasPoint>& points) = 0;
    // Outlined with the pen only.
    virtual void Polyline(const std::vector<CanvasPoint>& points) = 0;
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
    virtual void SetPixel(int x, int y, CanvasColor color) = 0;
    virtual void StretchImage(const CanvasRect& dest, const CanvasImage& image) = 0;
};

} // namespace vez
