#include "cli_test_support.h"
#include "store/file_markers.h"
#include "store/history_db.h"
#include "store/snapshot_cache.h"
#include "support/history_generator.h"

#include <gtest/gtest.h>

namespace yilou::cli::testing {
namespace {

// What the analysis commands print is the same whether the snapshot came from the rows, from the
// cache just written, or from a cache that a later `add` appended to.
TEST(SnapshotCacheCommands, PrintTheSameWithAndWithoutTheCache) {
    const std::vector<std::vector<std::string>> commands = {
        {"overview"},
        {"overview", "--type", "sum", "--place", "3", "--format", "csv"},
        {"trend", "--last", "30"},
        {"plays", "--play", "r5"},
        {"pattern", "overview", "--pattern", "sum"},
        {"group", "--select", "1,2,3,4,5,6,7,8,9,10,11", "--k", "3"},
        {"search", "--pos", "1=03", "--format", "json"},
        {"history", "--tail", "5"},
    };
    CliFixture cli;
    yilou::testing::GeneratedHistory settings;
    settings.draws = 3000;
    settings.missingShare = 0.01;
    const auto records = yilou::testing::generateDraws(settings);
    const auto database = cli.dataDir() / history::kDatabaseFileName;
    history::HistoryDb(database).replaceAll({records.begin(), records.end() - 1});
    const auto outputs = [&] {
        std::vector<std::string> out;
        for (const auto& command : commands)
            out.push_back(cli.run(command).out);
        return out;
    };
    const auto cache = history::snapshotCacheFile(database);
    const auto cacheValid = [&] {
        history::HistoryDb db(database);
        return history::readSnapshotCache(database, history::readFileMarkers(db)).has_value();
    };
    ASSERT_EQ(cli.run({"overview"}).status, 0); // the load writes the cache
    for (const bool appended : {false, true}) {
        SCOPED_TRACE(appended ? "after add" : "before add");
        if (appended) {
            const auto& last = records.back();
            std::vector<std::string> add{"add", history::issueText(last.issue)};
            for (int number : last.drop[history::Letter::A])
                add.push_back(std::to_string(number));
            ASSERT_EQ(cli.run(add).status, 0);
        }
        ASSERT_TRUE(cacheValid());
        const auto cached = outputs();
        std::filesystem::remove(cache);
        const auto fromTheRows = outputs();
        ASSERT_TRUE(cacheValid());
        for (std::size_t i = 0; i < commands.size(); ++i) {
            EXPECT_FALSE(cached[i].empty()) << commands[i][0];
            EXPECT_EQ(cached[i], fromTheRows[i]) << commands[i][0];
        }
    }
}

} // namespace
} // namespace yilou::cli::testing
