#include "dictionary/DictWrite.h"

#include <cerrno>
#include <exception>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vez {

namespace {

bool RewriteWith(const fs::path& file, std::string content) {
    std::error_code ec;
    if (content.empty() && file.filename() == "dict.1") {
        // The list of words without definitions exists only while it holds a word.
        MakeWritable(file);
        return fs::remove(file, ec);
    }
    return AtomicRewrite(file.parent_path() / "promt", file, content);
}

void AddLine(std::string& out, std::string_view line) {
    out.append(line);
    out.append("\r\n");
}

bool WriteAll(int fd, std::string_view s) {
    while (!s.empty()) {
        ssize_t w = ::write(fd, s.data(), s.size());
        if (w < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        s.remove_prefix(static_cast<size_t>(w));
    }
    return true;
}

} // namespace

bool ReplaceDictFile(const fs::path& file, const DictLinesChange& change) {
    try {
        MakeWritable(file);
        auto bytes = ReadFileBytes(file);
        if (!bytes) return false;
        std::vector<std::string> lines;
        ForEachLine(*bytes, [&](std::string_view l) { lines.emplace_back(l); });
        bytes.reset();
        if (!change(lines)) return false;
        std::string out;
        for (const auto& l : lines) AddLine(out, l);
        return RewriteWith(file, std::move(out));
    } catch (const std::exception&) {
        return false;
    }
}

bool ReplaceDictEntries(const fs::path& file, const DictEntriesChange& change) {
    try {
        MakeWritable(file);
        auto entries = ReadDictEntries(file);
        if (!entries) return false;
        if (!change(*entries)) return false;
        std::string out;
        for (const auto& e : *entries) {
            AddLine(out, e.Word);
            AddLine(out, e.Definition);
        }
        return RewriteWith(file, std::move(out));
    } catch (const std::exception&) {
        return false;
    }
}

bool AppendDictLines(const fs::path& file, const std::vector<std::string>& lines) {
    std::error_code ec;
    const bool existed = fs::exists(file, ec);
    if (existed) MakeWritable(file);
    int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        ::close(fd);
        return false;
    }
    const off_t oldSize = st.st_size;
    std::string out;
    if (oldSize > 0) {
        char last = 0;
        if (::pread(fd, &last, 1, oldSize - 1) == 1 && last != '\n') out.append("\r\n");
    }
    for (const auto& l : lines) AddLine(out, l);
    bool ok = WriteAll(fd, out) && ::fsync(fd) == 0;
    if (!ok && ::ftruncate(fd, oldSize) != 0) {
        // Nothing more can be done; the caller reports the failure.
    }
    ok = (::close(fd) == 0) && ok;
    if (!ok && !existed) fs::remove(file, ec);
    return ok;
}

} // namespace vez
