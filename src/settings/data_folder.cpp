#include "app/settings/data_folder.h"

#include "history/messages.h"
#include "history/system_error_text.h"
#include "history/user_error.h"

#include <QStandardPaths>
#include <system_error>

namespace yilou::app {

std::filesystem::path defaultDataFolder() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return std::filesystem::path(base.toStdString()) / "11S5OMBRIX";
}

void prepareDataFolder(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder / "历史号码", error);
    if (error)
        throw UserError(
            messages::cannotCreateDataFolder(folder, history::systemErrorText(error.value())));
}

} // namespace yilou::app
