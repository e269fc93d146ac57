// An exact 24-bit colour, shared by pictures and settings.
#pragma once

#include <cstdint>

namespace vez {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

} // namespace vez
