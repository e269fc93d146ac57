#include "dictionary/DictCheck.h"

#include "dictionary/DictFile.h"
#include "platform/Text.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace vez {

namespace {

// Reads one file in large blocks and hands out its lines as views into the block. A line longer
// than the block grows the block, so every line is seen whole.
class LineReader {
public:
    explicit LineReader(std::vector<char>& buf) : buf_(buf) {}
    ~LineReader() { Close(); }
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // 0 opened, otherwise the errno of the failure.
    int Open(const fs::path& p) {
        Close();
        fd_ = ::open(p.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd_ < 0) return errno;
        struct stat st {};
        size_ = ::fstat(fd_, &st) == 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
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
            if (end_ == buf_.size()) buf_.resize(buf_.size() * 2);
            ssize_t r = ::read(fd_, buf_.data() + end_, buf_.size() - end_);
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

private:
    std::vector<char>& buf_;
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

WordKey MakeKey(std::string_view w) {
    unsigned char b[16] = {};
    std::memcpy(b, w.data(), w.size());
    WordKey k;
    std::memcpy(&k.lo, b, 8);
    std::memcpy(&k.hi, b + 8, 8);
    return k;
}

std::uint64_t HashKey(const WordKey& k) {
    std::uint64_t h = k.lo * 0x9E3779B97F4A7C15ull ^ (k.hi + 0x632BE59BD9B4E019ull) * 0xBF58476D1CE4E5B9ull;
    h ^= h >> 31;
    return h * 0x94D049BB133111EBull;
}

// Open addressing with linear probing over the top bits of the hash; the all-zero key marks a free
// slot (and is remembered apart, should a word ever be all zero bytes).
class WordSet {
public:
    void Reset(size_t expected) {
        size_t cap = 1024;
        while (cap < expected * 2) cap *= 2;
        if (cap > storageCap_) {
            storage_ = std::make_unique<WordKey[]>(cap);
            storageCap_ = cap;
        } else {
            std::fill(storage_.get(), storage_.get() + cap, WordKey{});
        }
        SetCap(cap);
        size_ = 0;
        hasZero_ = false;
    }
    void Prefetch(std::uint64_t h) const { __builtin_prefetch(&storage_[h >> shift_]); }
    // True when the word was not in the set yet.
    bool Insert(const WordKey& k, std::uint64_t h) {
        if (k.IsZero()) return !std::exchange(hasZero_, true);
        for (size_t i = h >> shift_;; i = (i + 1) & mask_) {
            WordKey& s = storage_[i];
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
        size_t cap = (mask_ + 1) * 2;
        auto fresh = std::make_unique<WordKey[]>(cap);
        std::unique_ptr<WordKey[]> old = std::move(storage_);
        size_t oldCap = mask_ + 1;
        storage_ = std::move(fresh);
        storageCap_ = cap;
        SetCap(cap);
        for (size_t j = 0; j < oldCap; ++j) {
            if (old[j].IsZero()) continue;
            size_t i = HashKey(old[j]) >> shift_;
            while (!storage_[i].IsZero()) i = (i + 1) & mask_;
            storage_[i] = old[j];
        }
    }

    std::unique_ptr<WordKey[]> storage_;
    size_t storageCap_ = 0;
    size_t mask_ = 0;
    int shift_ = 64;
    size_t size_ = 0;
    bool hasZero_ = false;
};

void Raise(TDictStats& st, int i, int maxIndex) {
    if (++st[i] > st[maxIndex]) st[maxIndex] = st[i];
}

// Checks one open dict.N; `status` carries the "ё" warning across files.
int ScanFile(LineReader& rd, int n, WordSet& seen, TDictStats& st, int status, std::string& bad) {
    // Typical entries are the word, CR LF and a definition of some forty bytes.
    seen.Reset(static_cast<size_t>(rd.Size() / (static_cast<std::uint64_t>(n) + 40)));
    WordKey prev;
    bool havePrev = false;
    std::string_view line;
    for (;;) {
        int r = rd.Next(line);
        if (r == 0) return status;
        if (r < 0) return kDictReadError;
        if (line.find_first_not_of(' ') == std::string_view::npos) {
            bad.assign(line);
            return kDictEmptyWord;
        }
        if (line.size() != static_cast<size_t>(n)) {
            bad.assign(line);
            return kDictBadLength;
        }
        // The line view dies with the next read; the word is kept as its key.
        const std::string_view word = line;
        const WordKey key = MakeKey(word);
        const auto first = static_cast<unsigned char>(word[0]);
        const bool yo = std::memchr(word.data(), kLowerYo, word.size()) != nullptr;
        const std::uint64_t h = HashKey(key);
        seen.Prefetch(h);

        std::string_view def;
        r = rd.Next(def);
        auto keepWord = [&] {
            char b[16];
            std::memcpy(b, &key.lo, 8);
            std::memcpy(b + 8, &key.hi, 8);
            bad.assign(b, static_cast<size_t>(n));
        };
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

        const int slot = DictLetterSlot(first);
        // Homonyms usually follow each other: the previous word needs no look-up.
        if (!(havePrev && key == prev) && seen.Insert(key, h)) {
            ++st[1];
            Raise(st, n, 49);
            Raise(st, slot, 50);
        }
        ++st[51];
        ++st[n + 50];
        ++st[slot + 50];
        prev = key;
        havePrev = true;

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

DictScanResult ScanDictionary(const fs::path& home, TDictStats& stats, const std::function<void(int n)>& fileDone) {
    DictScanResult res;
    try {
        std::vector<char> buf(size_t{1} << 20);
        LineReader rd(buf);
        WordSet seen;
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
        m.text = ErrorText(r.status) + "\r\r" + ru("Ошибка в строке :") + "\r" + ShownLine(r.wordLine, width) +
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
