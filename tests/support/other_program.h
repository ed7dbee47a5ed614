#pragma once

#include <functional>
#include <sys/types.h>

namespace yilou::testing {

/// Another program beside the test: a child process that runs `start` (true when it went well)
/// and then keeps running, with whatever `start` left open, until end() or the destructor. The
/// constructor returns once `start` has run (or failed: started() says which). A child of a process
/// that has already opened a lock shares that lock's descriptor: start it before the test's own
/// process opens anything of the folder it shares.
class OtherProgram {
public:
    explicit OtherProgram(const std::function<bool()>& start);
    ~OtherProgram();
    OtherProgram(const OtherProgram&) = delete;
    OtherProgram& operator=(const OtherProgram&) = delete;

    bool started() const { return started_; }
    /// Lets the child end; true when it ended well.
    bool end();

private:
    pid_t child_ = 0;
    bool started_ = false;
    int release_ = -1;
};

} // namespace yilou::testing
