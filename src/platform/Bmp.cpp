#include "platform/Bmp.h"

#include <array>
#include <bit>

namespace vez {

const std::vector<Rgb>& StandardPalette16() {
    static const std::vector<Rgb> pal = {
        {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128}, {128, 0, 128},
        {0, 128, 128}, {128, 128, 128}, {192, 192, 192}, {255, 0, 0},     {0, 255, 0}, {255, 255, 0},
        {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
    };
    return pal;
}

namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

class Reader {
  public:
    explicit Reader(std::string_view d) : d_(d) {}
    bool Has(std::uint64_t off, std::uint64_t n) const { return off <= d_.size() && n <= d_.size() - off; }
    std::uint8_t U8(std::uint64_t off) const { return static_cast<std::uint8_t>(d_[off]); }
    std::uint16_t U16(std::uint64_t off) const {
        return static_cast<std::uint16_t>(U8(off) | U8(off + 1) << 8);
    }
    std::uint32_t U32(std::uint64_t off) const {
        return static_cast<std::uint32_t>(U16(off)) | static_cast<std::uint32_t>(U16(off + 2)) << 16;
    }

  private:
    std::string_view d_;
};

bool Fail(std::string* error, const char* why) {
    if (error) *error = why;
    return false;
}

// One colour channel of a bit-field pixel, scaled to 0 … 255 (exact for 8-bit fields).
std::uint8_t Channel(std::uint32_t v, std::uint32_t mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const std::uint32_t max = mask >> shift;
    const std::uint32_t x = (v & mask) >> shift;
    if (max == 255) return static_cast<std::uint8_t>(x);
    return static_cast<std::uint8_t>((static_cast<std::uint64_t>(x) * 255 + max / 2) / max);
}

bool Decode(std::string_view data, RgbImage& img, std::string* error) {
    Reader rd(data);
    if (!rd.Has(0, 2) || data[0] != 'B' || data[1] != 'M') return Fail(error, "not a BMP file");
    if (!rd.Has(0, 18)) return Fail(error, "truncated BMP header");
    const std::uint32_t pixelOffset = rd.U32(10);
    const std::uint32_t headerSize = rd.U32(14);
    std::int64_t w = 0, h = 0;
    int bpp = 0;
    std::uint32_t compression = kBiRgb, colorsUsed = 0;
    int paletteEntry = 4;
    if (headerSize == 12) {
        if (!rd.Has(14, 12)) return Fail(error, "truncated BMP header");
        w = rd.U16(18);
        h = static_cast<std::int16_t>(rd.U16(20));
        bpp = rd.U16(24);
        paletteEntry = 3;
    } else if (headerSize >= 40) {
        if (!rd.Has(14, headerSize)) return Fail(error, "truncated BMP header");
        w = static_cast<std::int32_t>(rd.U32(18));
        h = static_cast<std::int32_t>(rd.U32(22));
        bpp = rd.U16(28);
        compression = rd.U32(30);
        colorsUsed = rd.U32(46);
    } else {
        return Fail(error, "unknown BMP header");
    }
    const bool topDown = h < 0;
    if (topDown) h = -h;
    if (w <= 0 || h <= 0 || w > kMaxBmpSide || h > kMaxBmpSide) return Fail(error, "bad BMP size");
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32)
        return Fail(error, "unsupported BMP depth");

    std::array<std::uint32_t, 3> masks{0x00FF0000u, 0x0000FF00u, 0x000000FFu};
    if (compression == kBiBitfields && bpp == 32) {
        if (!rd.Has(54, 12)) return Fail(error, "truncated BMP header");
        masks = {rd.U32(54), rd.U32(58), rd.U32(62)};
    } else if (compression != kBiRgb) {
        return Fail(error, "compressed BMP is not supported");
    }

    std::vector<Rgb> palette;
    if (bpp <= 8) {
        const std::uint32_t maxColors = 1u << bpp;
        const std::uint32_t n = colorsUsed == 0 || colorsUsed > maxColors ? maxColors : colorsUsed;
        const std::uint64_t at = 14ull + headerSize;
        if (!rd.Has(at, static_cast<std::uint64_t>(n) * paletteEntry))
            return Fail(error, "truncated BMP palette");
        for (std::uint32_t i = 0; i < n; ++i) {
            const std::uint64_t e = at + static_cast<std::uint64_t>(i) * paletteEntry;
            palette.push_back({rd.U8(e + 2), rd.U8(e + 1), rd.U8(e)});
        }
    }

    const std::uint64_t stride = (static_cast<std::uint64_t>(w) * bpp + 31) / 32 * 4;
    if (!rd.Has(pixelOffset, stride * static_cast<std::uint64_t>(h)))
        return Fail(error, "truncated BMP pixels");

    img = RgbImage(static_cast<int>(w), static_cast<int>(h), Rgb{}, bpp);
    img.palette = palette;
    for (int y = 0; y < img.height; ++y) {
        const int fileRow = topDown ? y : img.height - 1 - y;
        const std::uint64_t row = pixelOffset + stride * static_cast<std::uint64_t>(fileRow);
        for (int x = 0; x < img.width; ++x) {
            Rgb c;
            if (bpp <= 8) {
                const std::uint64_t bit = static_cast<std::uint64_t>(x) * bpp;
                const std::uint8_t byte = rd.U8(row + bit / 8);
                const unsigned index = (byte >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
                if (index >= palette.size()) return Fail(error, "BMP colour index outside the palette");
                c = palette[index];
            } else if (bpp == 24) {
                const std::uint64_t p = row + static_cast<std::uint64_t>(x) * 3;
                c = {rd.U8(p + 2), rd.U8(p + 1), rd.U8(p)};
            } else {
                const std::uint32_t v = rd.U32(row + static_cast<std::uint64_t>(x) * 4);
                c = {Channel(v, masks[0]), Channel(v, masks[1]), Channel(v, masks[2])};
            }
            img.Set(x, y, c);
        }
    }
    return true;
}

void Put16(std::string& s, std::uint16_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>(v >> 8);
}
void Put32(std::string& s, std::uint32_t v) {
    Put16(s, static_cast<std::uint16_t>(v & 0xFFFF));
    Put16(s, static_cast<std::uint16_t>(v >> 16));
}

// The palette a 4-bit rewrite uses: the picture's own (padded with the standard colours), with any
// colour it lacks placed into an entry no pixel uses. Empty when the colours do not fit 16 entries.
std::vector<Rgb> FourBitPalette(const RgbImage& img) {
    std::vector<Rgb> distinct;
    for (const Rgb& c : img.pixels) {
        if (std::find(distinct.begin(), distinct.end(), c) != distinct.end()) continue;
        distinct.push_back(c);
        if (distinct.size() > 16) return {};
    }
    std::vector<Rgb> pal(img.palette.begin(), img.palette.begin() + std::min<size_t>(img.palette.size(), 16));
    for (const Rgb& c : StandardPalette16())
        if (pal.size() < 16 && std::find(pal.begin(), pal.end(), c) == pal.end()) pal.push_back(c);
    std::array<bool, 16> used{};
    for (size_t i = 0; i < pal.size(); ++i)
        used[i] = std::find(distinct.begin(), distinct.end(), pal[i]) != distinct.end();
    for (const Rgb& c : distinct) {
        if (std::find(pal.begin(), pal.end(), c) != pal.end()) continue;
        size_t i = 0;
        while (used[i])
            ++i; // at most 16 distinct colours, so a free entry exists
        pal[i] = c;
        used[i] = true;
    }
    return pal;
}

} // namespace

std::optional<RgbImage> DecodeBmp(std::string_view data, std::string* error) {
    RgbImage img;
    if (!Decode(data, img, error)) return std::nullopt;
    return img;
}

std::optional<RgbImage> ReadBmpFile(const fs::path& p, std::string* error) {
    auto bytes = ReadFileBytes(p);
    if (!bytes) {
        if (error) *error = "cannot read the file";
        return std::nullopt;
    }
    return DecodeBmp(*bytes, error);
}

int EncodedBitsPerPixel(const RgbImage& img) {
    if ((img.bitsPerPixel == 1 || img.bitsPerPixel == 4) && !FourBitPalette(img).empty()) return 4;
    return 24;
}

std::string EncodeBmp(const RgbImage& img) {
    const std::vector<Rgb> pal =
        img.bitsPerPixel == 1 || img.bitsPerPixel == 4 ? FourBitPalette(img) : std::vector<Rgb>{};
    const int bpp = pal.empty() ? 24 : 4;
    const std::uint32_t stride = (static_cast<std::uint32_t>(img.width) * bpp + 31) / 32 * 4;
    const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(img.height);
    const std::uint32_t paletteBytes = static_cast<std::uint32_t>(pal.size()) * 4;
    const std::uint32_t offset = 14 + 40 + paletteBytes;

    std::string s;
    s.reserve(offset + imageSize);
    s += "BM";
    Put32(s, offset + imageSize);
    Put32(s, 0);
    Put32(s, offset);
    Put32(s, 40);
    Put32(s, static_cast<std::uint32_t>(img.width));
    Put32(s, static_cast<std::uint32_t>(img.height)); // bottom-up, as most readers expect
    Put16(s, 1);
    Put16(s, static_cast<std::uint16_t>(bpp));
    Put32(s, kBiRgb);
    Put32(s, imageSize);
    Put32(s, 2835); // 72 dpi
    Put32(s, 2835);
    Put32(s, static_cast<std::uint32_t>(pal.size()));
    Put32(s, 0);
    for (const Rgb& c : pal) {
        s += static_cast<char>(c.b);
        s += static_cast<char>(c.g);
        s += static_cast<char>(c.r);
        s += '\0';
    }
    std::string row(stride, '\0');
    for (int y = img.height - 1; y >= 0; --y) {
        std::fill(row.begin(), row.end(), '\0');
        for (int x = 0; x < img.width; ++x) {
            const Rgb c = img.At(x, y);
            if (bpp == 4) {
                const auto index = static_cast<unsigned>(std::find(pal.begin(), pal.end(), c) - pal.begin());
                row[x / 2] = static_cast<char>(row[x / 2] | (x % 2 == 0 ? index << 4 : index));
            } else {
                row[x * 3] = static_cast<char>(c.b);
                row[x * 3 + 1] = static_cast<char>(c.g);
                row[x * 3 + 2] = static_cast<char>(c.r);
            }
        }
        s += row;
    }
    return s;
}

} // namespace vez
