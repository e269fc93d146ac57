#include "platform/Files.h"

#include "platform/Text.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace vez {

fs::path ProgramFolder(const char* argv0) {
    if (const char* home = std::getenv("VEZDAR_HOME"); home && *home) return fs::path(home);
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec && !exe.empty()) return exe.parent_path();
    if (argv0 && *argv0) return fs::absolute(fs::path(argv0), ec).parent_path();
    return fs::current_path(ec);
}

fs::path NameToPath(std::string_view cp1251Name) { return fs::path(Cp1251ToUtf8(cp1251Name)); }

std::string PathToName(const fs::path& p) {
    std::string raw = p.filename().string();
    return IsValidUtf8(raw) ? Utf8ToCp1251(raw) : raw;
}

std::vector<DirEntry> ListDir(const fs::path& dir) {
    std::vector<DirEntry> out;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code ec2;
        out.push_back({PathToName(it->path()), it->path(), it->is_directory(ec2)});
    }
    return out;
}

std::optional<fs::path> FindEntryNoCase(const fs::path& dir, std::string_view cp1251Name) {
    const std::string want = UpperCase(cp1251Name);
    for (const auto& e : ListDir(dir))
        if (UpperCase(e.name) == want) return e.path;
    return std::nullopt;
}

void MakeWritable(const fs::path& p) {
    std::error_code ec;
    fs::permissions(p, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
}

std::optional<std::string> ReadFileBytes(const fs::path& p) {
    std::FILE* f = std::fopen(p.c_str(), "rb");
    if (!f) return std::nullopt;
    std::string data;
    char buf[1 << 16];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) data.append(buf, n);
    bool bad = std::ferror(f) != 0;
    std::fclose(f);
    if (bad) return std::nullopt;
    return data;
}

namespace {
bool WriteAndSync(const fs::path& p, std::string_view content) {
    int fd = ::open(p.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const char* d = content.data();
    size_t left = content.size();
    while (left > 0) {
        ssize_t w = ::write(fd, d, left);
        if (w < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            return false;
        }
        d += w;
        left -= static_cast<size_t>(w);
    }
    bool ok = ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    return ok;
}
} // namespace

bool AtomicRewrite(const fs::path& promt, const fs::path& target, std::string_view content) {
    std::error_code ec;
    if (fs::exists(promt, ec)) MakeWritable(promt);
    if (!WriteAndSync(promt, content)) {
        fs::remove(promt, ec);
        return false;
    }
    if (fs::exists(target, ec)) MakeWritable(target);
    if (::rename(promt.c_str(), target.c_str()) != 0) {
        fs::remove(promt, ec);
        return false;
    }
    // Make the rename itself durable.
    if (int dfd = ::open(target.parent_path().empty() ? "." : target.parent_path().c_str(), O_RDONLY | O_DIRECTORY);
        dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

bool WriteFileBytes(const fs::path& p, std::string_view content) {
    if (!WriteAndSync(p, content)) {
        std::error_code ec;
        fs::remove(p, ec);
        return false;
    }
    return true;
}

std::uintmax_t FreeDiskSpace(const fs::path& p) {
    std::error_code ec;
    auto info = fs::space(p, ec);
    return ec ? 0 : info.available;
}

bool IsSafeName(std::string_view name, std::string_view forbidden) {
    if (name.empty() || name == "." || name == "..") return false;
    for (unsigned char c : name) {
        if (c < 0x20 || c == 0x7F || c == '/') return false;
        if (forbidden.find(static_cast<char>(c)) != std::string_view::npos) return false;
    }
    return true;
}

} // namespace vez
