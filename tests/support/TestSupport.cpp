#include "support/TestSupport.h"

#include "platform/Text.h"

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace vez::test {

void FakeDialogs::ExpectMsg(const std::string& text, const std::string& caption, int buttons, int focus, int icon,
                            int answer, const std::string& input) {
    expected_.push_back({{ru(text), ru(caption), buttons, focus, icon}, answer, ru(input)});
}

int FakeDialogs::ShowMsgBox(const MsgBoxRequest& req, std::string* input) {
    shown.push_back(req);
    if (expected_.empty()) {
        if (answerAll_ >= 0) return answerAll_;
        ADD_FAILURE() << "unexpected message: [" << Cp1251ToUtf8(req.caption) << "] " << Cp1251ToUtf8(req.text);
        return 0;
    }
    Expect e = expected_.front();
    expected_.pop_front();
    EXPECT_EQ(Cp1251ToUtf8(req.text), Cp1251ToUtf8(e.req.text));
    EXPECT_EQ(Cp1251ToUtf8(req.caption), Cp1251ToUtf8(e.req.caption));
    EXPECT_EQ(req.buttons, e.req.buttons) << Cp1251ToUtf8(req.text);
    EXPECT_EQ(req.focus, e.req.focus) << Cp1251ToUtf8(req.text);
    EXPECT_EQ(req.icon, e.req.icon) << Cp1251ToUtf8(req.text);
    if (input) *input = e.input;
    return e.answer;
}

TempHome::TempHome() {
    static std::atomic<int> counter{0};
    path_ = fs::temp_directory_path() /
            ("vezdar-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(path_);
    fs::create_directories(path_);
    ::setenv("VEZDAR_HOME", path_.c_str(), 1);
}

TempHome::~TempHome() {
    std::error_code ec;
    // Restore write bits so that read-only fixtures can be removed.
    for (auto it = fs::recursive_directory_iterator(path_, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
    ::unsetenv("VEZDAR_HOME");
}

fs::path TempHome::Write(const fs::path& rel, const std::string& bytes) const {
    fs::path p = path_ / rel;
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << bytes;
    return p;
}

} // namespace vez::test
