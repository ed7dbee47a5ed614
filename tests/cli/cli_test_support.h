#pragma once

#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace yilou::cli::testing {

/// What one run of the command line printed.
struct CliResult {
    int status = 0;
    std::string out;
    std::string err;
};

/// A data folder and a settings store of their own for each test, so tests never touch the
/// real home.
class CliFixture {
public:
    CliFixture();

    /// Runs the command line in this process with --data-dir set to the fixture's folder.
    CliResult run(std::vector<std::string> args) const;
    const std::filesystem::path& dataDir() const { return data_.path(); }

private:
    yilou::testing::TempDir data_;
    yilou::testing::TempDir config_;
};

/// Five draws of 12 August 2017 (draws 01..05), small enough to check by hand.
class FiveDraws : public ::testing::Test {
protected:
    void SetUp() override;

    CliFixture cli;
};

} // namespace yilou::cli::testing
