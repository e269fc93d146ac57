#include "dictionary/DictCheck.h"

#include "dictionary/DictFile.h"
#include "platform/Text.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <memory>
#include <new>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace vez {

namespace {

// Zeroed anonymous memory, in 2 MB pages where the kernel grants them. The check touches its
// buffers once per run; taken 4 KB at a time, the page faults alone cost more than the check.
class BigBlock {
public:
    BigBlock() = default;
    explicit BigBlock(size_t bytes) {
        constexpr size_t kHuge = size_t{2} << 20;
        size_ = (std::max<size_t>(bytes, 1) + kHuge - 1) / kHuge * kHuge;
        // Over-map by one huge page and trim, so the block starts on a huge-page boundary.
        void* p = ::mmap(nullptr, size_ + kHuge, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED) throw std::bad_alloc();
        auto raw = reinterpret_cast<std::uintptr_t>(p);
        auto aligned = (raw + kHuge - 1) / kHuge * kHuge;
        if (aligned > raw) ::munmap(p, aligned - raw);
        if (size_t tail = raw + kHuge - aligned; tail > 0)
            ::munmap(reinterpret_cast<void*>(aligned + size_), tail);
        data_ = reinterpret_cast<char*>(aligned);
        ::madvise(data_, size_, MADV_HUGEPAGE);
    }
    ~BigBlock() {
        if (data_) ::munmap(data_, size_);
    }
    BigBlock(BigBlock&& o) noexcept
        : data_(std::exchange(o.data_, nullptr)), size_(std::exchange(o.size_, 0)) {}
    BigBlock& operator=(BigBlock&& o) noexcept {
        std::swap(data_, o.data_);
        std::swap(size_, o.size_);
        return *this;
    }
    char* data() const { return data_; }
    size_t size() const { return size_; }

private:
    char* data_ = nullptr;
    size_t size_ = 0;
};

// Reads one file in large blocks and hands out its lines as views into the block. A line longer
// than the block grows the block, so every line is seen whole.
class LineReader {
public:
    LineReader() : buf_(size_t{1} << 20) {}
    ~LineReader() { Close(); }
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // 0 opened, otherwise the errno of the failure. Only a regular file is read: a pipe or a
    // device in place of a dictionary file would block the check or never end.
    int Open(const fs::path& p) {
        Close();
        fd_ = ::open(p.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd_ < 0) return errno;
        struct stat st {};
        if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
            Close();
            return EINVAL;
        }
        size_ = static_cast<std::uint64_t>(st.st_size);
        ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
        beg_ = end_ = scanned_ = 0;
        eof_ = false;
        return 0;
    }
    void Close() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }
    std::uint64_t Size() const { return size_; }

    // 1: `line` holds the next line (valid until the next call); 0: end of file; -1: read error.
    int Next(std::string_view& line) {
        for (;;) {
            const char* base = buf_.data();
            if (const void* p = std::memchr(base + scanned_, '\n', end_ - scanned_)) {
                size_t lf = static_cast<size_t>(static_cast<const char*>(p) - base);
                size_t len = lf - beg_;
                if (len > 0 && base[lf - 1] == '\r') --len;
                line = std::string_view(base + beg_, len);
                beg_ = scanned_ = lf + 1;
                return 1;
            }
            scanned_ = end_;
            if (eof_) {
                if (beg_ == end_) return 0;
                line = std::string_view(base + beg_, end_ - beg_);
                beg_ = scanned_ = end_;
                return 1;
            }
            if (beg_ > 0) {
                std::memmove(buf_.data(), base + beg_, end_ - beg_);
                end_ -= beg_;
                scanned_ -= beg_;
                beg_ = 0;
            }
            if (end_ == Capacity()) {
                BigBlock bigger(buf_.size() * 2);
                std::memcpy(bigger.data(), buf_.data(), end_);
                buf_ = std::move(bigger);
            }
            ssize_t r = ::read(fd_, buf_.data() + end_, Capacity() - end_);
            if (r < 0) {
                if (errno == EINTR) continue;
                return -1;
            }
            if (r == 0)
                eof_ = true;
            else
                end_ += static_cast<size_t>(r);
        }
    }

    // Bytes past the end of the data that may be read (not used) after any line start.
    static constexpr size_t kSlack = 64;

private:
    size_t Capacity() const { return buf_.size() - kSlack; }

    BigBlock buf_;
    int fd_ = -1;
    std::uint64_t size_ = 0;
    size_t beg_ = 0, end_ = 0, scanned_ = 0; // unread data is [beg_, end_); no LF in [beg_, scanned_)
    bool eof_ = false;
};

// A word of at most 16 bytes, zero-padded: compared and hashed as two 64-bit halves.
struct WordKey {
    std::uint64_t lo = 0, hi = 0;
    bool operator==(const WordKey&) const = default;
    bool IsZero() const { return (lo | hi) == 0; }
};

// Masks keeping the first n bytes of a word read 16 bytes at a time.
struct KeyMask {
    std::uint64_t lo, hi;
    explicit KeyMask(int n)
        : lo(n >= 8 ? ~0ull : (1ull << (8 * n)) - 1),
          hi(n >= 16 ? ~0ull : n <= 8 ? 0 : (1ull << (8 * (n - 8))) - 1) {}
};
static_assert(std::endian::native == std::endian::little, "the masks keep the low-order bytes");

// The key of a word at `p`, where 16 bytes can be read whatever the word's length.
WordKey LoadKey(const char* p, const KeyMask& m) {
    WordKey k;
    std::memcpy(&k.lo, p, 8);
    std::memcpy(&k.hi, p + 8, 8);
    k.lo &= m.lo;
    k.hi &= m.hi;
    return k;
}

// Whether any byte of `v` equals `b` (exact: the borrow trick finds a zero byte of v ^ b·0x01…01;
// the zero padding of a key differs from every letter looked for).
bool HasByte(std::uint64_t v, unsigned char b) {
    const std::uint64_t x = v ^ (0x0101010101010101ull * b);
    return ((x - 0x0101010101010101ull) & ~x & 0x8080808080808080ull) != 0;
}

std::uint64_t HashKey(const WordKey& k) {
    std::uint64_t h = k.lo * 0x9E3779B97F4A7C15ull ^ (k.hi + 0x632BE59BD9B4E019ull) * 0xBF58476D1CE4E5B9ull;
    h ^= h >> 31;
    return h * 0x94D049BB133111EBull;
}

// Open addressing with linear probing over the top bits of the hash; the all-zero key marks a free
// slot. No counted word is all zero bytes: it starts with a letter or holds "ё".
class WordSet {
public:
    // Room for `expected` words without growing; the memory is kept for the following files.
    void Reset(size_t expected) {
        size_t cap = 1024;
        while (cap * 2 < expected * 3) cap *= 2;
        if (cap * sizeof(WordKey) > block_.size())
            block_ = BigBlock(cap * sizeof(WordKey));
        else
            std::memset(block_.data(), 0, cap * sizeof(WordKey));
        slots_ = reinterpret_cast<WordKey*>(block_.data());
        SetCap(cap);
        size_ = 0;
    }
    void Prefetch(std::uint64_t h) const { __builtin_prefetch(&slots_[h >> shift_]); }
    // True when the word was not in the set yet.
    bool Insert(const WordKey& k, std::uint64_t h) {
        for (size_t i = h >> shift_;; i = (i + 1) & mask_) {
            WordKey& s = slots_[i];
            if (s == k) return false;
            if (s.IsZero()) {
                s = k;
                if (++size_ * 10 > (mask_ + 1) * 7) Grow();
                return true;
            }
        }
    }

private:
    void SetCap(size_t cap) {
        mask_ = cap - 1;
        shift_ = 64;
        for (size_t c = cap; c > 1; c >>= 1) --shift_;
    }
    void Grow() {
        const size_t oldCap = mask_ + 1;
        BigBlock old = std::move(block_);
        const WordKey* from = reinterpret_cast<const WordKey*>(old.data());
        block_ = BigBlock(oldCap * 2 * sizeof(WordKey));
        slots_ = reinterpret_cast<WordKey*>(block_.data());
        SetCap(oldCap * 2);
        for (size_t j = 0; j < oldCap; ++j) {
            if (from[j].IsZero()) continue;
            size_t i = HashKey(from[j]) >> shift_;
            while (!slots_[i].IsZero()) i = (i + 1) & mask_;
            slots_[i] = from[j];
        }
    }

    BigBlock block_;
    WordKey* slots_ = nullptr;
    size_t mask_ = 0;
    int shift_ = 64;
    size_t size_ = 0;
};

// Counts the entries of one file. An entry is counted only when kDelay more have arrived; its
// set slot, prefetched on arrival, has by then come from memory.
class EntryCounter {
public:
    EntryCounter(WordSet& seen, TDictStats& st, int n) : seen_(seen), st_(st), n_(n) {}
    ~EntryCounter() { Flush(); }
    EntryCounter(const EntryCounter&) = delete;
    EntryCounter& operator=(const EntryCounter&) = delete;

    void Add(const WordKey& key, int slot) {
        const std::uint64_t h = HashKey(key);
        seen_.Prefetch(h);
        Pending& at = ring_[next_++ % kDelay];
        if (next_ > kDelay) Count(at);
        at = {key, h, slot};
    }
    void Flush() {
        for (size_t i = next_ > kDelay ? next_ - kDelay : 0; i < next_; ++i) Count(ring_[i % kDelay]);
        next_ = 0;
    }

private:
    static constexpr size_t kDelay = 16;
    struct Pending {
        WordKey key;
        std::uint64_t hash;
        int slot;
    };
    void Count(const Pending& e) {
        // Homonyms usually follow each other: the previous word needs no look-up.
        if (!(havePrev_ && e.key == prev_) && seen_.Insert(e.key, e.hash)) {
            ++st_[1];
            Raise(n_, 49);
            Raise(e.slot, 50);
        }
        ++st_[51];
        ++st_[n_ + 50];
        ++st_[e.slot + 50];
        prev_ = e.key;
        havePrev_ = true;
    }
    void Raise(int i, int maxIndex) {
        if (++st_[i] > st_[maxIndex]) st_[maxIndex] = st_[i];
    }

    WordSet& seen_;
    TDictStats& st_;
    const int n_;
    std::array<Pending, kDelay> ring_{};
    size_t next_ = 0; // entries added since the last flush
    WordKey prev_;
    bool havePrev_ = false;
};

// Words a dict.N of `bytes` bytes is expected to hold: typical entries are the word, CR LF and a
// definition of some forty bytes.
size_t ExpectedWords(std::uint64_t bytes, int n) {
    return static_cast<size_t>(bytes / (static_cast<std::uint64_t>(n) + 40));
}

// Checks one open dict.N; `status` carries the "ё" warning across files.
int ScanFile(LineReader& rd, int n, WordSet& seen, TDictStats& st, int status, std::string& bad) {
    seen.Reset(ExpectedWords(rd.Size(), n));
    EntryCounter counter(seen, st, n);
    const KeyMask mask(n);
    std::string_view line;
    for (;;) {
        int r = rd.Next(line);
        if (r == 0) return status;
        if (r < 0) return kDictReadError;
        if (line.empty() || (line[0] == ' ' && line.find_first_not_of(' ') == std::string_view::npos)) {
            bad.assign(line);
            return kDictEmptyWord;
        }
        if (line.size() != static_cast<size_t>(n)) {
            bad.assign(line);
            return kDictBadLength;
        }
        // The line view dies with the next read; the word lives on as its key.
        static_assert(LineReader::kSlack >= 16);
        const WordKey key = LoadKey(line.data(), mask);
        const auto first = static_cast<unsigned char>(line[0]);
        const bool yo = HasByte(key.lo, kLowerYo) || HasByte(key.hi, kLowerYo);
        auto keepWord = [&] {
            char b[16];
            std::memcpy(b, &key.lo, 8);
            std::memcpy(b + 8, &key.hi, 8);
            bad.assign(b, static_cast<size_t>(n));
        };

        std::string_view def;
        r = rd.Next(def);
        if (r < 0) {
            keepWord();
            return kDictReadError;
        }
        if (r == 0) {
            keepWord();
            return kDictNoLastDefinition;
        }
        if (yo) {
            status = kDictYoWarning;
        } else if (first < kCyrUpperA) {
            keepWord();
            return kDictNotCyrillic;
        } else if (first < kCyrLowerA) {
            keepWord();
            return kDictCapital;
        }
        counter.Add(key, DictLetterSlot(first));
        if (def.empty()) {
            keepWord();
            return kDictNoDefinition;
        }
    }
}

std::string ErrorText(int status) {
    switch (status) {
    case kDictEmptyWord: return ru("Пустое слово.");
    case kDictBadLength: return ru("Неверная длина слова.");
    case kDictNoLastDefinition: return ru("Нет значения слова в конце файла.");
    case kDictNotCyrillic: return ru("Символ слова не кириллица.");
    case kDictCapital: return ru("В слове заглавная буква.");
    case kDictNoDefinition: return ru("Нет значения слова.");
    default: return ru("Неизвестная ошибка.");
    }
}

// The word line as the message shows it: cut to 50 characters and "..." when it is wider than 50
// digits "0". Lines far longer than any message can show are cut without being measured, since
// measuring megabytes of text in a font would stall the window.
std::string ShownLine(std::string_view line, const TextWidthFn& width) {
    constexpr size_t kShown = 50;
    constexpr size_t kMeasureLimit = 1000;
    bool tooWide;
    if (!width || line.size() > kMeasureLimit)
        tooWide = line.size() > kShown;
    else
        tooWide = width(line) > static_cast<int>(kShown) * width("0");
    if (!tooWide) return std::string(line);
    return std::string(line.substr(0, kShown)) + "...";
}

} // namespace

DictScanResult ScanDictionary(const fs::path& home, TDictStats& stats,
                              const std::function<void(int n)>& fileDone) {
    DictScanResult res;
    try {
        LineReader rd;
        WordSet seen;
        // One set, sized for the largest file, serves every file.
        size_t most = 0;
        for (int n = kMinDictLen; n <= kMaxDictLen; ++n) {
            std::error_code ec;
            const auto bytes = fs::file_size(DictPath(home, n), ec);
            if (!ec) most = std::max(most, ExpectedWords(bytes, n));
        }
        seen.Reset(most);
        for (int n = kMinDictLen; n <= kMaxDictLen; ++n) {
            res.file = n;
            if (int err = rd.Open(DictPath(home, n)); err != 0) {
                res.status = (err == ENOENT || err == ENOTDIR) ? kDictMissingFile : kDictReadError;
                return res;
            }
            res.status = ScanFile(rd, n, seen, stats, res.status, res.wordLine);
            rd.Close();
            if (res.status < 0) return res;
            if (fileDone) fileDone(n);
        }
        res.file = 0;
    } catch (const std::exception&) {
        // Out of memory on an absurd file: report it like any other unreadable file.
        res.status = kDictReadError;
    }
    return res;
}

MsgBoxRequest DictCheckMessage(const DictScanResult& r, const TextWidthFn& width) {
    MsgBoxRequest m;
    if (r.status == kDictYoWarning) {
        m.text = ru("В слове найдена буква ё.\rПосле входа в режим словаря\rнажмите <Ctrl + Alt + W>\r"
                    "и в появившемся окне нажмите <Начать>,\rбуква ё в словах заменится на е,\r"
                    "а заодно сгруппируются омонимы.");
        m.caption = ru("Внимание");
        m.buttons = m.focus = kBtnOK;
        m.icon = kIconInfo;
    } else if (r.status == kDictMissingFile) {
        m.text = ru("НЕТ словаря \"Dict.") + std::to_string(r.file) + "\"";
        m.caption = ru("Ошибка !");
        m.buttons = m.focus = kBtnCancel;
        m.icon = kIconWarn;
    } else if (r.status < 0) {
        m.text =
            ErrorText(r.status) + "\r\r" + ru("Ошибка в строке :") + "\r" + ShownLine(r.wordLine, width) +
            "\r\r" + ru("Необходимо исправить файл к-л текстовым редактором.") + "\r" +
            ru("(строка скопирована в буфер обмена, длина = ") + std::to_string(r.wordLine.size()) + ").";
        m.caption = ru("Ошибка в словаре Dict.") + std::to_string(r.file);
        m.buttons = m.focus = kBtnOK;
        m.icon = kIconWarn;
    }
    return m;
}

int CheckDictionary(const fs::path& home, DictState& state, DictCheckEnv env) {
    env.busy.SetProgressMax(env.progressMax);
    env.busy.SetProgress(0);
    DictScanResult r;
    {
        BusyScope hourglass(env.busy);
        env.busy.ProcessEvents();
        state.Stats.Clear();
        r = ScanDictionary(home, state.Stats, [&](int n) {
            env.busy.SetProgress(static_cast<int>(static_cast<long long>(env.progressMax) * n / kMaxDictLen));
        });
    }
    // The cursor and the bar are restored before any message, also when a file is missing.
    env.busy.SetProgressMax(0);

    state.DictCheckStatus = r.status;
    state.DictReady = r.status >= 0;
    if (r.status < 0) {
        state.Stats.Clear();
        if (r.status != kDictMissingFile) env.clipboard.SetText(r.wordLine);
    }
    if (MsgBoxRequest m = DictCheckMessage(r, env.textWidth); !m.text.empty()) env.dialogs.ShowMsgBox(m);
    return r.status;
}

bool EnsureDictionaryChecked(const fs::path& home, DictState& state, DictCheckEnv env) {
    if (state.DictReady) return true;
    state.DictCheckStatus = 0;
    CheckDictionary(home, state, env);
    return state.DictReady;
}

} // namespace vez
