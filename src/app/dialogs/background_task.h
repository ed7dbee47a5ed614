#pragma once

#include <QString>
#include <cstddef>
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
void runWithProgress(QWidget* parent, const QString& label, const std::function<void()>& work);

/// The same for work with a result.
template <typename Work>
auto runWithProgress(QWidget* parent, const QString& label, Work&& work)
    -> std::invoke_result_t<Work>
requires(!std::is_void_v<std::invoke_result_t<Work>>) {
    std::optional<std::invoke_result_t<Work>> result;
    runWithProgress(parent, label, std::function<void()>([&] { result.emplace(work()); }));
    return std::move(*result);
}

/// Told how much of the work is done, of how much; returns false once the user asked to stop.
using ProgressReport = std::function<bool(std::size_t done, std::size_t total)>;

/// Runs `work` on a thread of its own behind a progress dialog with a Cancel button, shown at
/// once and blocking the whole application meanwhile. The work reports its progress and stops
/// when the report returns false. Returns when the work has ended; an exception of the work is
/// thrown again here.
void runStoppable(QWidget* parent, const QString& label,
                  const std::function<void(const ProgressReport&)>& work);

} // namespace yilou::app
