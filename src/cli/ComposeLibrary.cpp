#include "cli/ComposeLibrary.h"

#include "compose/ComposeSave.h"
#include "grids/GridStore.h"
#include "platform/Text.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace vez::cli {

namespace {

// Messages of the shared saving code go to the terminal; every question takes its first button.
class ConsoleDialogs : public Dialogs {
  public:
    int ShowMsgBox(const MsgBoxRequest& req, std::string*) override {
        std::string text;
        for (char c : Cp1251ToUtf8(req.text))
            if (c != '\n') text += c == '\r' ? ' ' : c;
        std::fprintf(stderr, "vezdar-cli compose: %s: %s\n", Cp1251ToUtf8(req.caption).c_str(), text.c_str());
        ++shown;
        return req.buttons >= kBtnOK && req.buttons <= kBtnDefault ? req.buttons : kBtnOK;
    }
    int shown = 0;
};

int ParseInt(const std::string& s, const char* what) {
    std::size_t used = 0;
    const int v = std::stoi(s, &used);
    if (used != s.size()) throw std::invalid_argument(std::string(what) + " is a whole number");
    return v;
}

} // namespace

const char* const kComposeLibraryUsage =
    "  --storage N --cell C,R   the grid of cell C : R (1 … 10) of the grid storage CROS/GratCROS<N>.bmp\n"
    "                           (storage 1 when only --cell is given)\n"
    "  --save FOLDER            write the document into CROS/FOLDER as the next number (the folder is\n"
    "                           created, upper-cased, when missing)\n";

bool TakeComposeLibraryOption(const Args& args, std::size_t& i, ComposeLibraryOptions& opt) {
    const std::string& a = args[i];
    if (a != "--storage" && a != "--cell" && a != "--save") return false;
    if (i + 1 >= args.size()) throw std::invalid_argument(a + " needs a value");
    const std::string& v = args[++i];
    if (a == "--storage") {
        opt.storage = ParseInt(v, "--storage");
        if (*opt.storage < 1 || *opt.storage > kMaxStoreNumber)
            throw std::invalid_argument("--storage is 1 … " + std::to_string(kMaxStoreNumber));
    } else if (a == "--cell") {
        const std::size_t comma = v.find(',');
        if (comma == std::string::npos) throw std::invalid_argument("--cell is C,R");
        const int c = ParseInt(v.substr(0, comma), "--cell");
        const int r = ParseInt(v.substr(comma + 1), "--cell");
        if (c < 1 || c > kStoreCells || r < 1 || r > kStoreCells)
            throw std::invalid_argument("--cell column and row are 1 … 10");
        opt.cell = {c, r};
    } else {
        if (v.empty()) throw std::invalid_argument("--save needs a folder name");
        opt.saveFolder = v;
    }
    return true;
}

std::optional<GridModel> LoadStorageGrid(const ComposeLibraryOptions& opt, std::string& error) {
    if (!opt.cell) {
        error = "--storage needs --cell C,R";
        return std::nullopt;
    }
    const int n = opt.storage.value_or(1);
    const fs::path home = ProgramFolder();
    std::string why;
    auto store = LoadStore(home, n, &why);
    if (!store) {
        error = "cannot read " + StorePath(home, n).string() + ": " + why;
        return std::nullopt;
    }
    const int c = opt.cell->first - 1, r = opt.cell->second - 1;
    const TGratShape shape = ReadShape(*store, c, r);
    if (IsCellEmpty(*store, c, r) || shape.width < 2 || shape.height < 2) {
        error = "cell " + std::to_string(c + 1) + " : " + std::to_string(r + 1) + " of storage " +
                std::to_string(n) + " holds no grid";
        return std::nullopt;
    }
    GridModel m{GratFromShape(shape), {}};
    m.slots = FindSlots(m.grat);
    if (!BuildCrossings(m.grat, m.slots)) {
        error = "Ошибка при загрузке решетки !";
        return std::nullopt;
    }
    return m;
}

int SaveToLibrary(const ComposeLibraryOptions& opt, const GridModel& model, bool finished) {
    const fs::path home = ProgramFolder();
    ConsoleDialogs dialogs;
    const std::string typed = Utf8ToCp1251(opt.saveFolder);
    std::string folder = UpperCase(typed);
    const auto existing = LibraryFolders(home, "Cros");
    if (std::find(existing.begin(), existing.end(), folder) == existing.end()) {
        auto made = CreateLibraryFolder(home, dialogs, "Cros", typed);
        if (!made) return 2;
        folder = *made;
    }
    DocToWrite doc;
    doc.kind = "Cros";
    doc.folder = folder;
    doc.grat = model.grat;
    doc.slots = model.slots;
    doc.finished = finished;
    const SaveResult res = SaveComposition(home, dialogs, doc);
    if (res.outcome != SaveOutcome::Written) return 2;
    std::printf("saved %s\n", res.path.string().c_str());
    return 0;
}

std::optional<GridAndPools> LoadGridAndPools(const GridRequest& grid, const ComposeLibraryOptions& library,
                                             std::string& error) {
    auto model = WantsStorageGrid(library) ? LoadStorageGrid(library, error) : LoadGrid(grid, error);
    if (!model) return std::nullopt;
    const fs::path home = ProgramFolder();
    PoolsResult pools = BuildPools(home, model->slots);
    if (!pools.ok()) {
        error = Cp1251ToUtf8(pools.error) + " (" + (home / "DICT").string() + ")";
        return std::nullopt;
    }
    return GridAndPools{std::move(*model), std::move(pools.pools)};
}

} // namespace vez::cli
