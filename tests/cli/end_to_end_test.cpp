#include "support/temp_dir.h"
#include "support/text_files.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>

namespace yilou::cli::testing {
namespace {

using yilou::testing::readFile;

// Runs the real binary with a home of its own: XDG folders point into a temporary folder.
class EndToEnd : public ::testing::Test {
protected:
    struct Run {
        int status;
        std::string out;
        std::string err;
    };

    Run run(const std::string& args) {
        const auto out = home.path() / "out.txt";
        const auto err = home.path() / "err.txt";
        const std::string command = "env XDG_CONFIG_HOME='" + (home / "config").string() +
                                    "' XDG_DATA_HOME='" + (home / "data").string() + "' '" +
                                    YILOU_CLI_BINARY + "' " + args + " >'" + out.string() +
                                    "' 2>'" + err.string() + "' </dev/null";
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFile(out), readFile(err)};
    }

    yilou::testing::TempDir home;
};

TEST_F(EndToEnd, UsesTheDefaultDataFolderAndSettingsStore) {
    EXPECT_EQ(run("add 2017081284 03 11 07 01 09").status, 0);
    EXPECT_TRUE(std::filesystem::exists(home / "data/11S5OMBRIX/tabula.mdb"));
    EXPECT_TRUE(std::filesystem::is_directory(home / "data/11S5OMBRIX/历史号码"));

    EXPECT_EQ(run("game 26").status, 0);
    EXPECT_NE(readFile(home / "config/11S5OMBRIX/11S5OMBRIX.conf").find("GsZl=26"),
              std::string::npos);
    EXPECT_EQ(run("game").out, "当前彩种：26 浙江快乐12（kl12zj，每天80期）\n");
}

TEST_F(EndToEnd, ExitStatusTellsUsageErrorsFromUserErrors) {
    const Run usage = run("history --no-such-option");
    EXPECT_EQ(usage.status, 2);
    EXPECT_FALSE(usage.err.empty());

    const Run user = run("add 2017081284 03 11 07 01 13");
    EXPECT_EQ(user.status, 1);
    EXPECT_NE(user.err.find("超出范围"), std::string::npos) << user.err;
    EXPECT_TRUE(user.out.empty());

    EXPECT_EQ(run("--help").status, 0);
    EXPECT_EQ(run("").status, 2);
}

} // namespace
} // namespace yilou::cli::testing
