#pragma once

#include <filesystem>
#include <functional>

namespace yilou::history {

/// Every program that opens a history of a data folder holds the folder's lock file shared
/// (flock: closing another descriptor of the file does not drop it, as it would an fcntl lock);
/// a switch of the histories holds it alone. One lock per process and data folder, taken before
/// the first history is opened and kept to the process's end. A data folder where the lock file
/// cannot be made (read only) goes without it.
void holdHistories(const std::filesystem::path& dataDir);

/// Runs `change` with this process's lock held alone, shared again after (also when `change`
/// throws); false, and nothing run, when another program holds the lock. Converting a flock
/// lock drops it first, so another program may take it in between: the caller reads the state
/// of the histories again afterwards.
bool whileHistoriesAlone(const std::filesystem::path& dataDir, const std::function<void()>& change);

} // namespace yilou::history
