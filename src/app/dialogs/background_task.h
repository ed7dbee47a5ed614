#pragma once

#include <QString>
#include <atomic>
#include <exception>
#include <functional>
#include <optional>
#include <type_traits>
#include <utility>

class QWidget;

namespace yilou::app {

/// Runs `work` on a thread of its own while the window's thread keeps handling events and a
/// progress dialog (after a short delay) tells the user what is going on. Returns when the
/// work is done; an exception of the work is thrown again here. The caller disables whatever
/// must not run meanwhile; the work must not touch widgets.
///
/// With a `cancel` flag the dialog has a Cancel button that sets it, and the window keeps
/// answering the user meanwhile; the work watches the flag and ends early.
void runWithProgress(QWidget* parent, const QString& label, const std::function<void()>& work,
                     std::atomic<bool>* cancel = nullptr);

/// The same for work with a result.
template <typename Work>
auto runWithProgress(QWidget* parent, const QString& label, Work&& work,
                     std::atomic<bool>* cancel = nullptr) -> std::invoke_result_t<Work>
requires(!std::is_void_v<std::invoke_result_t<Work>>) {
    std::optional<std::invoke_result_t<Work>> result;
    runWithProgress(parent, label, std::function<void()>([&] { result.emplace(work()); }), cancel);
    return std::move(*result);
}

} // namespace yilou::app
