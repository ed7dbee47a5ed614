// The online update of frmMain: the button Command21 and the address template in "设置".
#include "app/dialogs/background_task.h"
#include "app/frm_main.h"
#include "session/history_steps.h"
#include "session/messages.h"
#include "session/online_update.h"

#include <atomic>

namespace yilou::app {

std::optional<std::string> frmMain::askUpdateUrl() {
    const std::string prompt =
        std::string(messages::kUpdateUrlPrompt) + "\n" + std::string(messages::kUpdateUrlHelp);
    const auto answer =
        prompts_.askText(messages::kUpdateUrlTitle, prompt, qs(settings_.UpdateUrl()));
    if (!answer)
        return std::nullopt;
    const std::string urlTemplate = answer->trimmed().toStdString();
    settings_.setUpdateUrl(urlTemplate);
    saveSettings();
    return urlTemplate;
}

void frmMain::mnuUpdateUrl_Click() {
    askUpdateUrl();
}

void frmMain::Command21_Click() {
    if (!prompts_.confirm(messages::kOnlineUpdateTitle, messages::kOnlineUpdateQuestion))
        return;
    std::string urlTemplate = settings_.UpdateUrl();
    if (urlTemplate.empty())
        urlTemplate = askUpdateUrl().value_or(std::string());
    if (urlTemplate.empty())
        return;
    const auto request = session::onlineUpdateRequest(std::move(urlTemplate),
                                                      settings_.IniSerchDay(), choices_, today_());
    session::UpdateReport report;
    const bool done = runHistoryChange(
        [&](history::HistoryDb& db) {
            history::Snapshot changed;
            runStoppable(this, qs(messages::kOnlineUpdateWorking),
                         [&](const ProgressReport& progress) {
                             // The page's bytes move the dialog; its Cancel button stops the fetch.
                             std::atomic<bool> cancel = false;
                             const auto follow = [&](const history::FetchProgress& got) {
                                 if (!progress(static_cast<std::size_t>(got.received),
                                               static_cast<std::size_t>(got.expected)))
                                     cancel = true;
                             };
                             // A connection of the worker's own: the window may read through its
                             // own meanwhile.
                             history::HistoryDb own(db.path());
                             report = session::updateHistoryOnline(own, request, {&cancel, follow});
                             changed = own.loadSnapshot();
                         });
            return changed;
        },
        true);
    if (!done)
        return;
    prompts_.inform(messages::kOnlineUpdateTitle, report.summary());
}

} // namespace yilou::app
