#include "cli_test_support.h"

#include "cli/cli.h"

#include <QSettings>
#include <sstream>

namespace yilou::cli::testing {

CliFixture::CliFixture() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QString::fromStdString(config_.path().string()));
}

CliResult CliFixture::run(std::vector<std::string> args) const {
    args.insert(args.begin(), {"--data-dir", data_.path().string()});
    std::ostringstream out;
    std::ostringstream err;
    const int status = runCli(args, out, err);
    return {status, out.str(), err.str()};
}

void FiveDraws::SetUp() {
    for (const std::vector<std::string>& draw : std::vector<std::vector<std::string>>{
             {"2017081201", "03", "11", "07", "01", "09"},
             {"2017081202", "01", "02", "04", "05", "06"},
             {"2017081203", "03", "07", "08", "10", "11"},
             {"2017081204", "02", "04", "06", "08", "10"},
             {"2017081205", "01", "03", "05", "07", "09"},
         }) {
        std::vector<std::string> args{"add"};
        args.insert(args.end(), draw.begin(), draw.end());
        ASSERT_EQ(cli.run(args).status, 0);
    }
}

} // namespace yilou::cli::testing
