#pragma once

#include "cli/cli.h"

#include <QDebug>
#include <QStringList>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace yilou::testing {

/// What the command line prints for `args` on the data folder `folder`; a failure is logged.
inline std::string cliOutput(const std::filesystem::path& folder, std::vector<std::string> args) {
    args.insert(args.begin(), {"--data-dir", folder.string()});
    std::ostringstream out, err;
    if (cli::runCli(args, out, err) != 0)
        qWarning() << QString::fromStdString(err.str());
    return out.str();
}

/// The lines of a text, empty ones left out.
inline QStringList nonEmptyLines(const std::string& text) {
    return QString::fromStdString(text).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace yilou::testing
