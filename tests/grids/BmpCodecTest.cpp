#include "platform/Bmp.h"

#include <gtest/gtest.h>

using namespace vez;

namespace {

void Put(std::string& s, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A BMP as another program would write it, packed independently of the codec: `values` are palette
// indices (1/4/8 bits) or 0xRRGGBB colours, row by row from the top.
std::string RawBmp(int bpp, int w, int h, bool topDown, const std::vector<Rgb>& palette,
                   const std::vector<std::uint32_t>& values, bool coreHeader = false) {
    const int stride = (w * bpp + 31) / 32 * 4;
    const int entry = coreHeader ? 3 : 4;
    const int headerSize = coreHeader ? 12 : 40;
    const int offset = 14 + headerSize + static_cast<int>(palette.size()) * entry;
    std::string s = "BM";
    Put(s, offset + stride * h, 4);
    Put(s, 0, 4);
    Put(s, offset, 4);
    Put(s, headerSize, 4);
    if (coreHeader) {
        Put(s, w, 2);
        Put(s, h, 2);
        Put(s, 1, 2);
        Put(s, bpp, 2);
    } else {
        Put(s, w, 4);
        Put(s, static_cast<std::uint32_t>(topDown ? -h : h), 4);
        Put(s, 1, 2);
        Put(s, bpp, 2);
        Put(s, 0, 4);
        Put(s, stride * h, 4);
        Put(s, 0, 4);
        Put(s, 0, 4);
        Put(s, static_cast<std::uint32_t>(palette.size()), 4);
        Put(s, 0, 4);
    }
    for (const Rgb& c : palette) {
        s += static_cast<char>(c.b);
        s += static_cast<char>(c.g);
        s += static_cast<char>(c.r);
        if (!coreHeader) s += '\0';
    }
    for (int i = 0; i < h; ++i) {
        const int y = topDown ? i : h - 1 - i;
        std::string row(stride, '\0');
        for (int x = 0; x < w; ++x) {
            const std::uint32_t v = values[y * w + x];
            if (bpp <= 8) {
                const int bit = x * bpp;
                row[bit / 8] = static_cast<char>(row[bit / 8] | (v << (8 - bpp - bit % 8)));
            } else {
                const int bytes = bpp / 8;
                row[x * bytes] = static_cast<char>(v & 0xFF);
                row[x * bytes + 1] = static_cast<char>((v >> 8) & 0xFF);
                row[x * bytes + 2] = static_cast<char>((v >> 16) & 0xFF);
                if (bytes == 4) row[x * bytes + 3] = static_cast<char>(0xFF);
            }
        }
        s += row;
    }
    return s;
}

Rgb FromHex(std::uint32_t v) {
    return {static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
            static_cast<std::uint8_t>(v)};
}

} // namespace

TEST(BmpCodec, ReadsEveryUncompressedDepthInBothRowOrders) {
    // Width 5 makes every depth pad its rows; values differ in every pixel so a flipped or shifted
    // row shows.
    const std::vector<Rgb> pal2 = {{0, 128, 128}, {255, 255, 0}};
    std::vector<Rgb> pal256;
    for (int i = 0; i < 256; ++i)
        pal256.push_back({static_cast<std::uint8_t>(i), 7, static_cast<std::uint8_t>(255 - i)});
    struct Case {
        int bpp;
        std::vector<Rgb> palette;
        bool core;
    };
    const Case cases[] = {{1, pal2, false},   {4, StandardPalette16(), false},
                          {8, pal256, false}, {24, {}, false},
                          {32, {}, false},    {4, StandardPalette16(), true}};
    for (const Case& c : cases)
        for (bool topDown : {false, true}) {
            if (c.core && topDown) continue;
            const int w = 5, h = 3;
            std::vector<std::uint32_t> values;
            for (int i = 0; i < w * h; ++i)
                values.push_back(c.bpp <= 8 ? static_cast<std::uint32_t>(i * 7 + 1) % c.palette.size()
                                            : 0x10305u * static_cast<std::uint32_t>(i + 1) + 0x800000u);
            auto img = DecodeBmp(RawBmp(c.bpp, w, h, topDown, c.palette, values, c.core));
            ASSERT_TRUE(img) << c.bpp << " bits, top-down " << topDown;
            EXPECT_EQ(img->bitsPerPixel, c.bpp);
            ASSERT_EQ(img->width, w);
            ASSERT_EQ(img->height, h);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const std::uint32_t v = values[y * w + x];
                    EXPECT_EQ(img->At(x, y), c.bpp <= 8 ? c.palette[v] : FromHex(v))
                        << c.bpp << " bits, top-down " << topDown << " at " << x << "," << y;
                }
        }
}

TEST(BmpCodec, WritesFourBitWhenTheColoursFitElseTwentyFourBitAndKeepsEveryColour) {
    struct Case {
        const char* name;
        int bppIn;
        std::vector<Rgb> colours;
        int bppWritten;
    };
    const Case cases[] = {
        {"standard colours", 4, {{0, 128, 128}, {255, 255, 0}, {0, 0, 0}}, 4},
        {"a colour the standard palette lacks", 4, {{0, 128, 128}, {254, 255, 0}}, 4},
        {"1-bit picture", 1, {{0, 0, 0}, {255, 255, 255}}, 4},
        {"seventeen colours", 4, {}, 24},
        {"true colour", 24, {{1, 2, 3}, {255, 255, 0}}, 24},
    };
    for (const Case& c : cases) {
        std::vector<Rgb> colours = c.colours;
        if (colours.empty())
            for (int i = 0; i < 17; ++i)
                colours.push_back({static_cast<std::uint8_t>(i * 15), 0, 0});
        RgbImage img(7, 4, colours[0], c.bppIn);
        for (int i = 0; i < 28; ++i)
            img.Set(i % 7, i / 7, colours[static_cast<size_t>(i) % colours.size()]);
        auto back = DecodeBmp(EncodeBmp(img));
        ASSERT_TRUE(back) << c.name;
        EXPECT_EQ(back->bitsPerPixel, c.bppWritten) << c.name;
        EXPECT_EQ(back->pixels, img.pixels) << c.name;
    }
}

TEST(BmpCodec, DamagedOrForeignFilesAreErrorsNotCrashes) {
    const std::vector<std::uint32_t> px(4 * 2, 1);
    const std::string good = RawBmp(4, 4, 2, false, StandardPalette16(), px);
    auto patched = [&](size_t at, std::uint32_t v, int bytes) {
        std::string s = good;
        for (int i = 0; i < bytes; ++i)
            s[at + static_cast<size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
        return s;
    };
    const std::vector<Rgb> twoColours = {{0, 0, 0}, {1, 1, 1}};
    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"text", "hello, world"},
        {"signature only", "BM"},
        {"cut in the header", good.substr(0, 30)},
        {"cut in the palette", good.substr(0, 60)},
        {"cut in the pixels", good.substr(0, good.size() - 1)},
        {"run-length compressed", patched(30, 2, 4)},
        {"16-bit", patched(28, 16, 2)},
        {"zero width", patched(18, 0, 4)},
        {"huge height", patched(22, 0x7FFFFFFF, 4)},
        {"unknown header size", patched(14, 20, 4)},
        {"pixel offset beyond the file", patched(10, 0xFFFFFFF0u, 4)},
        {"index beyond a short palette",
         RawBmp(4, 4, 2, false, twoColours, std::vector<std::uint32_t>(8, 5))},
    };
    ASSERT_TRUE(DecodeBmp(good));
    for (const auto& [name, bytes] : cases) {
        std::string error;
        EXPECT_FALSE(DecodeBmp(bytes, &error)) << name;
        EXPECT_FALSE(error.empty()) << name;
    }
}

TEST(BmpCodec, ThirtyTwoBitWithBitFieldsFollowsTheMasks) {
    const std::vector<std::uint32_t> values = {0x112233, 0xFFFF00, 0x008080, 0x010203};
    std::string s = RawBmp(32, 2, 2, false, {}, values);
    // Masks that read the stored bytes in the opposite order: red from the lowest byte.
    std::string masks;
    Put(masks, 0x000000FF, 4);
    Put(masks, 0x0000FF00, 4);
    Put(masks, 0x00FF0000, 4);
    s.insert(54, masks);
    s[10] = static_cast<char>(54 + 12);
    s[30] = 3;
    auto img = DecodeBmp(s);
    ASSERT_TRUE(img);
    for (int i = 0; i < 4; ++i) {
        const Rgb c = FromHex(values[static_cast<size_t>(i)]);
        EXPECT_EQ(img->At(i % 2, i / 2), (Rgb{c.b, c.g, c.r})) << i;
    }
}
