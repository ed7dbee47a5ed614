#include "core/games.h"
#include "session/sample_histories.h"
#include "support/temp_dir.h"
#include "support/text_files.h"

#include <gtest/gtest.h>

namespace yilou::session {
namespace {

std::vector<std::string> gameNames(const std::vector<SampleHistory>& samples) {
    std::vector<std::string> names;
    for (const auto& sample : samples)
        names.emplace_back(history::gameAt(sample.game).name);
    return names;
}

// A build finds the three 11选5 histories of the source tree, in game order.
TEST(SampleHistories, TheBuildOffersTheThreeHistoriesOfTheSourceTree) {
    const auto samples = sampleHistories(sampleHistoryFolder());
    EXPECT_EQ(gameNames(samples),
              (std::vector<std::string>{"广东11选5", "江西11选5", "山东11选5"}));
    EXPECT_TRUE(samples.front().file.filename().string().starts_with("gd11x5-"));
}

// A file is a game's sample by the start of its name: the kind counts (lnkl12 is 辽宁快乐12, not
// 辽宁11选5), other files and folders are passed over, and of two files of one game the first name
// serves.
TEST(SampleHistories, AFileBelongsToTheGameItsNameOpensWith) {
    testing::TempDir dir;
    for (const char* name : {"lnkl12-2017.txt", "sd11x5-b.txt", "sd11x5-a.txt", "zj11x5-x.txt",
                             "gd11x5.txt", "readme.txt", "jx11x5-1.csv"})
        testing::writeFile(dir / name, "");
    std::filesystem::create_directory(dir / "gd11x5-folder.txt");
    const auto samples = sampleHistories(dir.path());
    EXPECT_EQ(gameNames(samples),
              (std::vector<std::string>{"浙江11选5", "山东11选5", "辽宁快乐12"}));
    EXPECT_EQ(samples[1].file.filename(), "sd11x5-a.txt");
    EXPECT_TRUE(sampleHistories(dir / "missing").empty());
}

} // namespace
} // namespace yilou::session
