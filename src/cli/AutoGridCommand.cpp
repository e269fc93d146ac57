// vezdar-cli autogrid: generated crossword grid shapes printed as rows of '*' (letter square) and
// '.' (blocked), one shape after another with a blank line between them; with --store N they go
// into free cells of grid storage N instead.
#include "cli/Command.h"
#include "grids/AutoGrid.h"
#include "grids/GridStore.h"
#include "platform/Text.h"

#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace vez;

constexpr const char* kUsage =
    "usage: vezdar-cli autogrid --width W --height H --symmetry 1..4 [--count N] [--seed S]\n"
    "                         [--store N]\n"
    "  symmetry: 1 full, 2 horizontal, 3 vertical, 4 none; W and H 7 ... 40\n"
    "  shape k (from 0) uses seed S + k, so --seed S+k --count 1 makes it again\n"
    "  --store N writes the shapes into free cells of CROS/GratCROS<N>.bmp (created when missing)\n";

template <class T> std::optional<T> ParseNumber(const std::string& s) {
    T v{};
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || s.empty()) return std::nullopt;
    return v;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "vezdar-cli autogrid: %s\n%s", message.c_str(), kUsage);
    return 2;
}

// The message box text as terminal lines: CR separates lines, LF is dropped.
std::string MessageLines(const std::string& cp1251) {
    std::string out;
    for (char c : Cp1251ToUtf8(cp1251))
        if (c == '\r')
            out += '\n';
        else if (c != '\n')
            out += c;
    return out;
}

// Cells as users see them: column and row from 1.
std::string CellName(int c, int r) {
    return "cell " + std::to_string(c + 1) + " : " + std::to_string(r + 1);
}

// Storage n of the program folder, made blank first when it does not exist. A new storage takes
// storage 1's pixel format; storage 1 itself, when missing, starts as a blank 4-bit storage.
bool OpenStore(const fs::path& home, int n, std::optional<TGratStore>& picture, std::string& error) {
    const fs::path path = StorePath(home, n);
    std::error_code ec;
    if (!fs::exists(path, ec)) {
        fs::create_directories(path.parent_path(), ec);
        const bool made = n == 1 ? SaveStore(home, 1, MakeBlankStore()) : CreateBlankStore(home, n);
        if (!made) {
            error = "cannot create storage " + std::to_string(n) + " (" + path.string() + ")" +
                    (n != 1 && !fs::exists(StorePath(home, 1), ec) ? ": storage 1 is missing" : "");
            return false;
        }
    }
    std::string why;
    picture = LoadStore(home, n, &why);
    if (!picture) error = "cannot read storage " + std::to_string(n) + " (" + path.string() + "): " + why;
    return picture.has_value();
}

int Run(const cli::Args& args) {
    std::optional<int> width, height, symmetry;
    int count = 1;
    std::optional<std::uint64_t> seed;
    std::optional<int> store;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& opt = args[k];
        if (opt == "--help" || opt == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (k + 1 >= args.size()) return Fail("missing value after " + opt);
        const std::string& value = args[++k];
        auto number = [&](std::optional<int>& into) {
            into = ParseNumber<int>(value);
            return into.has_value();
        };
        bool ok = true;
        if (opt == "--width")
            ok = number(width);
        else if (opt == "--height")
            ok = number(height);
        else if (opt == "--symmetry")
            ok = number(symmetry);
        else if (opt == "--count") {
            std::optional<int> n;
            ok = number(n) && *n >= 1;
            if (ok) count = *n;
        } else if (opt == "--seed")
            ok = (seed = ParseNumber<std::uint64_t>(value)).has_value();
        else if (opt == "--store")
            ok = number(store) && *store >= 1 && *store <= kMaxStoreNumber;
        else
            return Fail("unknown option " + opt);
        if (!ok) return Fail("bad value for " + opt + ": " + value);
    }
    if (!width || !height || !symmetry) return Fail("--width, --height and --symmetry are required");
    if (!IsValidSymmetry(*symmetry)) return Fail("--symmetry must be 1, 2, 3 or 4");
    if (*width > kMaxGridSide || *height > kMaxGridSide) return Fail("a grid is at most 40 x 40");
    if (auto refusal = AutoGridSizeRefusal(*width, *height)) {
        std::fprintf(stderr, "%s\n", MessageLines(refusal->text).c_str());
        return 1;
    }

    // With --store every check comes before generating, so a full or unreadable storage is left as
    // it was and nothing is half written.
    const fs::path home = ProgramFolder();
    std::optional<TGratStore> picture;
    std::vector<int> freeCells;
    if (store) {
        std::string error;
        if (!OpenStore(home, *store, picture, error)) {
            std::fprintf(stderr, "vezdar-cli autogrid: %s\n", error.c_str());
            return 1;
        }
        freeCells = FreeStoreCells(*picture);
        if (static_cast<int>(freeCells.size()) < count) {
            std::fprintf(stderr, "vezdar-cli autogrid: storage %d (%s) %s; nothing written\n", *store,
                         StorePath(home, *store).c_str(),
                         freeCells.empty() ? "is full"
                                           : ("has only " + std::to_string(freeCells.size()) +
                                              " free cells for " + std::to_string(count) + " shapes")
                                                 .c_str());
            return 1;
        }
    }

    const std::uint64_t first =
        seed ? *seed
             : static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
    for (int k = 0; k < count; ++k) {
        TGratShape shape;
        shape.width = *width;
        shape.height = *height;
        const std::uint64_t shapeSeed = first + static_cast<std::uint64_t>(k);
        AutoGridResult r = GenerateAutoGrid(shape, *symmetry, shapeSeed);
        if (r.status != AutoGridStatus::Accepted) return Fail("generation did not finish");
        if (store) {
            const int c = freeCells[k] % kStoreCells, row = freeCells[k] / kStoreCells;
            WriteShape(*picture, c, row, shape);
            std::printf("%s (seed %llu, %d x %d, symmetry %d, trials %d) -> %s\n",
                        Cp1251ToUtf8(AutoGridFillText(shape)).c_str(),
                        static_cast<unsigned long long>(shapeSeed), shape.width, shape.height, *symmetry,
                        r.trials, CellName(c, row).c_str());
            continue;
        }
        if (k > 0) std::fputc('\n', stdout);
        std::printf("%s (seed %llu, %d x %d, symmetry %d, trials %d)\n",
                    Cp1251ToUtf8(AutoGridFillText(shape)).c_str(), static_cast<unsigned long long>(shapeSeed),
                    shape.width, shape.height, *symmetry, r.trials);
        for (int j = 1; j <= shape.height; ++j) {
            std::string row;
            for (int i = 1; i <= shape.width; ++i)
                row += shape.letter[i][j] ? '*' : '.';
            std::puts(row.c_str());
        }
    }
    if (store) {
        if (!SaveStore(home, *store, *picture)) {
            std::fprintf(stderr, "vezdar-cli autogrid: cannot save storage %d (%s); it is unchanged\n",
                         *store, StorePath(home, *store).c_str());
            return 1;
        }
        std::printf("%d shape(s) written to %s\n", count, StorePath(home, *store).c_str());
    }
    return 0;
}

cli::CliCommand reg{"autogrid", "generate crossword grid shapes and print them", Run};

} // namespace
