#include "scanword/ui/PainterCanvas.h"

#include "platform/qt/QtText.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPolygon>

namespace vez {
namespace {
QColor Q(CanvasColor c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }
// Shapes take right and bottom as exclusive, as the drawing calls of the pictures do.
QRect Box(const CanvasRect& r) { return QRect(r.left, r.top, r.right - r.left - 1, r.bottom - r.top - 1); }
QPolygon Poly(const std::vector<CanvasPoint>& pts) {
    QPolygon poly;
    for (const CanvasPoint& p : pts) poly << QPoint(p.x, p.y);
    return poly;
}
} // namespace

void PainterCanvas::SetPen(const Pen& pen) {
    Qt::PenStyle st = pen.style == PenStyle::Dash ? Qt::DashLine
                      : pen.style == PenStyle::Dot ? Qt::DotLine
                      : pen.style == PenStyle::Clear ? Qt::NoPen
                                                     : Qt::SolidLine;
    QPen qp(Q(pen.color));
    qp.setWidth(pen.width <= 1 ? 0 : pen.width);
    qp.setStyle(st);
    p_.setPen(qp);
}

void PainterCanvas::SetBrush(const Brush& brush) {
    brushColor_ = brush.color;
    p_.setBrush(brush.style == BrushStyle::Clear ? QBrush(Qt::NoBrush) : QBrush(Q(brush.color)));
}

void PainterCanvas::SetFont(const Font& font) {
    QFont f(ToQ(font.name));
    f.setPixelSize(std::max(1, font.height));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setStrikeOut(font.strikeOut);
    p_.setFont(f);
}

void PainterCanvas::SetTransparentText(bool transparent) { transparent_ = transparent; }

int PainterCanvas::TextWidth(const std::string& text) { return p_.fontMetrics().horizontalAdvance(ToQ(text)); }
int PainterCanvas::TextHeight(const std::string&) { return p_.fontMetrics().height(); }

void PainterCanvas::TextOut(int x, int y, const std::string& text) {
    const QString s = ToQ(text);
    const QFontMetrics fm = p_.fontMetrics();
    if (!transparent_) p_.fillRect(QRect(x, y, fm.horizontalAdvance(s), fm.height()), Q(brushColor_));
    p_.drawText(x, y + fm.ascent(), s);
}

void PainterCanvas::TextRect(const CanvasRect& clip, int x, int y, const std::string& text) {
    p_.save();
    p_.setClipRect(QRect(clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top));
    TextOut(x, y, text);
    p_.restore();
}

void PainterCanvas::Rectangle(const CanvasRect& r) { p_.drawRect(Box(r)); }
void PainterCanvas::RoundRect(const CanvasRect& r, int cw, int ch) { p_.drawRoundedRect(Box(r), cw / 2.0, ch / 2.0); }
void PainterCanvas::Ellipse(const CanvasRect& r) { p_.drawEllipse(Box(r)); }
void PainterCanvas::Polygon(const std::vector<CanvasPoint>& points) { p_.drawPolygon(Poly(points)); }
void PainterCanvas::Polyline(const std::vector<CanvasPoint>& points) { p_.drawPolyline(Poly(points)); }
void PainterCanvas::Line(int x1, int y1, int x2, int y2) { p_.drawLine(x1, y1, x2, y2); }

void PainterCanvas::SetPixel(int x, int y, CanvasColor color) {
    p_.save();
    p_.setPen(Q(color));
    p_.drawPoint(x, y);
    p_.restore();
}

void PainterCanvas::StretchImage(const CanvasRect& dest, const CanvasImage& image) {
    if (image.width <= 0 || image.height <= 0) return;
    QImage img(image.width, image.height, QImage::Format_RGB32);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const CanvasColor c = image.pixels[static_cast<std::size_t>(y) * image.width + x];
            img.setPixel(x, y, qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
        }
    p_.drawImage(QRect(dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top), img);
}

} // namespace vez
