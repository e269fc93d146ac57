// End to end: vezdar-cli compose on small grids and dictionaries in a temporary program folder.
#include "platform/Text.h"
#include "CliRunner.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/wait.h>

namespace vez {
namespace {

using test::CliPath;
using test::CliRun;
using test::RunCli;

TEST(ComposeCli, FillsTimesOutAndReportsErrors) {
    if (CliPath().empty()) GTEST_SKIP() << "vezdar-cli is not built";
    struct Case {
        const char* name;
        std::string grid;
        const char* dict3; // nullptr: no dict.3
        std::string options;
        int status;
        std::vector<std::string> expectOut;
    } cases[] = {
        // The corner can only be filled one way (a crossing word may not begin with й).
        {"filled", "***\n..*\n..*\n", "чай\nнапиток\nйод\nэлемент\nдом\nздание\n", "--rule empty --seed 5", 0,
         {"йод\n##о\n##м\n", "  1 H  1,1  йод", "  2 V  3,1  дом", "filled: rule empty"}},
        // One word for two uncrossed slots: the run never ends.
        {"time limit", "***\n...\n***\n", "кот\nзверь\n", "--time-limit 0.2 --seed 1", 3,
         {"time limit reached"}},
        {"no dictionary", "***\n", nullptr, "", 2, {"Ошибка доступа к файлу\nсловаря \"Dict.3\" !"}},
        {"bad grid", "**x\n", "кот\nзверь\n", "", 2, {"only rows of '*'"}},
        {"unknown rule", "***\n", "кот\nзверь\n", "--rule sideways", 2, {"unknown rule"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempHome home;
        fs::path grid = home.Write("grid.txt", c.grid);
        if (c.dict3) home.Write("DICT/dict.3", ru(c.dict3));
        CliRun r = RunCli("compose " + grid.string() + " " + c.options);
        EXPECT_EQ(r.status, c.status) << r.out;
        for (const std::string& e : c.expectOut) {
            // The message keeps its CR LF; compare without CRs.
            std::string out = r.out;
            std::erase(out, '\r');
            EXPECT_NE(out.find(e), std::string::npos) << "missing: " << e << "\nin:\n" << r.out;
        }
    }
}

} // namespace
} // namespace vez
