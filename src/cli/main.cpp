#include "cli/cli.h"
#include "cli/standard_output.h"
#include "core/system_error_text.h"
#include "session/messages.h"

#include <iostream>
#include <ostream>
#include <string>
#include <vector>

// SIGPIPE keeps its default: output into a pipe that was closed (`| head -1`) ends the program
// quietly, as it ends the usual tools.
int main(int argc, char** argv) {
    yilou::cli::StandardOutputBuffer buffer;
    std::ostream out(&buffer);
    std::cerr.tie(&out); // what was printed before a message comes before it
    const int status =
        yilou::cli::runCli(std::vector<std::string>(argv + 1, argv + argc), out, std::cerr);
    if (const int error = buffer.finish()) {
        std::cerr << yilou::messages::cannotWriteOutput(yilou::history::systemErrorText(error))
                  << '\n';
        return status == 0 ? 1 : status;
    }
    return status;
}
