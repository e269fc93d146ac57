#include "app/Splash.h"

#include "platform/Text.h"

#include <chrono>
#include <cmath>
#include <memory>
#include <random>

namespace vez {
namespace {

const char* const kCaption = " Программа \"Вездар\"";

void Tell(Dialogs& dialogs, const char* textUtf8) {
    dialogs.Show(ru(textUtf8), ru(kCaption), kBtnOK, kBtnOK, kIconInfo);
}

} // namespace

RandomFn ClockRandom() {
    auto gen = std::make_shared<std::mt19937_64>(
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    return [gen](int n) {
        if (n <= 0) return 0;
        return std::uniform_int_distribution<int>(0, n - 1)(*gen);
    };
}

std::optional<fs::path> FindSplashPicture(const fs::path& programFolder) {
    for (const char* ext : kSplashExtensions) {
        fs::path p = programFolder / "CROS" / (std::string("Vez.") + ext);
        std::error_code ec;
        if (fs::is_regular_file(p, ec)) return p;
    }
    return std::nullopt;
}

int LoadSplash(const fs::path& programFolder, PixelSize area, const PictureLoader& load, Dialogs& dialogs) {
    const auto file = FindSplashPicture(programFolder);
    if (!file) {
        Tell(dialogs, "Нет файла картинки ..\\CROS\\Vez.*\r\n(см. Справка / Разное / Заставка)");
        return kPictureNone;
    }
    const auto size = load ? load(*file) : std::nullopt;
    if (!size || size->width <= 0 || size->height <= 0) {
        Tell(dialogs, "Неверный формат файла\r\nкартинки ..\\CROS\\Vez.*\r\n(см. Справка/Разное/Заставка)");
        return kPictureNone;
    }
    if (size->width < area.width || size->height < area.height) {
        Tell(dialogs, "Картинка мала для окна.\r\n(см. Справка/Разное/Заставка)");
        return kPictureNone;
    }
    return kPictureShown;
}

Gradient NewGradient(const RandomFn& random) {
    Gradient g;
    g.c1 = random(16777215);
    g.c2 = random(16777215);
    g.rows = random(2) == 1;
    return g;
}

TColor GradientLineColor(const Gradient& g, int i, int n) {
    TColor out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int a = (g.c1 >> shift) & 0xFF;
        const int b = (g.c2 >> shift) & 0xFF;
        // A single line takes the first colour rather than dividing by zero.
        const int v = n <= 1 ? a : static_cast<int>(std::lround(a + double(b - a) * i / (n - 1)));
        out |= static_cast<TColor>(v) << shift;
    }
    return out;
}

std::optional<PixelPoint> FloatPicture(PixelSize picture, PixelSize area, bool floatLogo,
                                       const RandomFn& random) {
    if (!floatLogo) return std::nullopt;
    return PixelPoint{-random(picture.width - area.width), -random(picture.height - area.height)};
}

} // namespace vez
