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

} // namespace yilou::cli::testing
