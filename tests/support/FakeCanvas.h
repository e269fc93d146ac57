// A canvas for tests: fixed text metrics and a readable record of every drawing call.
#pragma once

#include "platform/Canvas.h"

#include <string>
#include <vector>

namespace vez::test {

class FakeCanvas : public Canvas {
  public:
    // Every character is `charWidth` wide; every text is `lineHeight` high.
    int charWidth = 8;
    int lineHeight = 16;

    Pen pen;
    Brush brush;
    Font font;
    bool transparentText = false;
    // One entry per drawing call, e.g. "Rectangle 0 0 10 10", "TextOut 5 7 abc".
    std::vector<std::string> calls;

    void SetPen(const Pen& p) override { pen = p; }
    void SetBrush(const Brush& b) override { brush = b; }
    void SetFont(const Font& f) override { font = f; }
    void SetTransparentText(bool t) override { transparentText = t; }
    int TextWidth(const std::string& text) override { return charWidth * static_cast<int>(text.size()); }
    int TextHeight(const std::string&) override { return lineHeight; }
    void TextOut(int x, int y, const std::string& text) override { Log("TextOut", {x, y}, text); }
    void TextRect(const CanvasRect& c, int x, int y, const std::string& text) override {
        Log("TextRect", {c.left, c.top, c.right, c.bottom, x, y}, text);
    }
    void Rectangle(const CanvasRect& r) override { Log("Rectangle", {r.left, r.top, r.right, r.bottom}); }
    void RoundRect(const CanvasRect& r, int cw, int ch) override {
        Log("RoundRect", {r.left, r.top, r.right, r.bottom, cw, ch});
    }
    void Ellipse(const CanvasRect& r) override { Log("Ellipse", {r.left, r.top, r.right, r.bottom}); }
    void Polygon(const std::vector<CanvasPoint>& pts) override { Log("Polygon", Flat(pts)); }
    void Polyline(const std::vector<CanvasPoint>& pts) override { Log("Polyline", Flat(pts)); }
    void Line(int x1, int y1, int x2, int y2) override { Log("Line", {x1, y1, x2, y2}); }
    void SetPixel(int x, int y, CanvasColor c) override { Log("SetPixel", {x, y, static_cast<int>(c)}); }
    void StretchImage(const CanvasRect& r, const CanvasImage& img) override {
        Log("StretchImage", {r.left, r.top, r.right, r.bottom, img.width, img.height});
    }

  private:
    static std::vector<int> Flat(const std::vector<CanvasPoint>& pts) {
        std::vector<int> v;
        for (const auto& p : pts) {
            v.push_back(p.x);
            v.push_back(p.y);
        }
        return v;
    }
    void Log(const char* name, const std::vector<int>& args, const std::string& text = {}) {
        std::string s = name;
        for (int a : args)
            s += ' ' + std::to_string(a);
        if (!text.empty()) s += ' ' + text;
        calls.push_back(std::move(s));
    }
};

} // namespace vez::test
