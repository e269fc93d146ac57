// Small helpers of the storage tests.
#pragma once

#include "platform/Files.h"

#include <cstdio>
#include <string>

namespace vez::test {

// Makes `dir` read-only; false when the file system still lets us write there (running as root),
// in which case the caller skips.
inline bool MakeReadOnlyDir(const fs::path& dir) {
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec, fs::perm_options::replace);
    const fs::path probe = dir / "probe";
    if (std::FILE* f = std::fopen(probe.c_str(), "wb")) {
        std::fclose(f);
        fs::remove(probe);
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::replace);
        return false;
    }
    return true;
}

// Turns `promt` into a folder that cannot be removed, so that every write through it fails the way
// a full disk would.
inline void BlockPromt(const fs::path& promt) {
    fs::create_directories(promt / "keep");
}

// Bits per pixel written in a BMP file's header.
inline int FileBitsPerPixel(const std::string& bytes) {
    return bytes.size() > 29
               ? static_cast<unsigned char>(bytes[28]) | static_cast<unsigned char>(bytes[29]) << 8
               : 0;
}

} // namespace vez::test
