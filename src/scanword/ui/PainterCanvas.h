// A canvas over a QPainter, for the windows that draw through the core's picture code.
#pragma once

#include "platform/Canvas.h"

class QPainter;

namespace vez {

class PainterCanvas : public Canvas {
  public:
    explicit PainterCanvas(QPainter& painter) : p_(painter) {}

    void SetPen(const Pen& pen) override;
    void SetBrush(const Brush& brush) override;
    void SetFont(const Font& font) override;
    void SetTransparentText(bool transparent) override;
    int TextWidth(const std::string& text) override;
    int TextHeight(const std::string& text) override;
    void TextOut(int x, int y, const std::string& text) override;
    void TextRect(const CanvasRect& clip, int x, int y, const std::string& text) override;
    void Rectangle(const CanvasRect& r) override;
    void RoundRect(const CanvasRect& r, int cornerWidth, int cornerHeight) override;
    void Ellipse(const CanvasRect& r) override;
    void Polygon(const std::vector<CanvasPoint>& points) override;
    void Polyline(const std::vector<CanvasPoint>& points) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void SetPixel(int x, int y, CanvasColor color) override;
    void StretchImage(const CanvasRect& dest, const CanvasImage& image) override;

  private:
    QPainter& p_;
    CanvasColor brushColor_ = 0xFFFFFF;
    bool transparent_ = false;
};

} // namespace vez
