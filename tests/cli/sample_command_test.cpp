#include "cli_test_support.h"

#include <gtest/gtest.h>

namespace yilou::cli::testing {
namespace {

// The list names the games that have a sample; a sample goes into its own game's history and
// makes that game current; loading one over that game's stored draws wants --yes, and a game
// without a sample is a usage error.
TEST(SampleCommand, ListsLoadsAndAsksForYesOverStoredDraws) {
    CliFixture cli;
    const auto list = cli.run({"--format", "csv", "sample"});
    ASSERT_EQ(list.status, 0) << list.err;
    EXPECT_NE(list.out.find("0,广东11选5,"), std::string::npos) << list.out;
    EXPECT_NE(list.out.find("14,山东11选5,"), std::string::npos) << list.out;

    EXPECT_EQ(cli.run({"sample", "1"}).status, 2);

    const auto loaded = cli.run({"sample", "14"});
    ASSERT_EQ(loaded.status, 0) << loaded.err;
    EXPECT_NE(cli.run({"game"}).out.find("山东11选5"), std::string::npos);

    const auto other = cli.run({"sample", "11x5gd"});
    ASSERT_EQ(other.status, 0) << other.err;
    EXPECT_NE(other.out.find("读入 3823 期"), std::string::npos) << other.out;
    EXPECT_NE(cli.run({"game"}).out.find("广东11选5"), std::string::npos);

    const auto refused = cli.run({"--game", "0", "sample", "14"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("3519 期"), std::string::npos) << refused.err;
    EXPECT_NE(cli.run({"game"}).out.find("广东11选5"), std::string::npos);

    const auto replaced = cli.run({"sample", "14", "--yes"});
    ASSERT_EQ(replaced.status, 0) << replaced.err;
    // The history it replaced was saved first, as an import saves it.
    EXPECT_NE(replaced.out.find("替换前的 3,519 期历史号码已保存到 " + cli.dataDir().string()),
              std::string::npos)
        << replaced.out;
    EXPECT_NE(cli.run({"game"}).out.find("山东11选5"), std::string::npos);
    EXPECT_NE(cli.run({"--format", "csv", "games"}).out.find("0,广东11选5,11x5gd,3823,"),
              std::string::npos);
}

} // namespace
} // namespace yilou::cli::testing
