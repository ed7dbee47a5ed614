#pragma once

#include "core/snapshot.h"
#include "session/choices.h"
#include "session/view_steps.h"

#include <QObject>
#include <array>
#include <cstdint>

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QTabBar;

namespace yilou::app {

class frmMain;

/// Reads the search type, number order, range and reference issue from the window's controls
/// (found by their object names) and tells when any of them, the settings or the history
/// changed. Changes that come together (a handler that moves several controls) are told once,
/// after the handler is done, so that the pages read what it left.
class WindowInputs : public QObject {
    Q_OBJECT
public:
    explicit WindowInputs(frmMain& window);

    frmMain& window() const { return window_; }
    const history::Snapshot& snapshot() const;
    /// frmMain::historyRevision.
    std::uint64_t revision() const;
    const session::Choices& choices() const;
    /// The request the controls make: on the second tab a reference issue, once typed, sets the
    /// range end, as it does for the searches.
    session::ViewRequest read() const;
    /// The range of draws that request names.
    analysis::IndexRange range() const;

signals:
    void changed();

private:
    void schedule();
    /// Watches a text box: changes made by the program at once, typing when the box is left.
    void watch(QLineEdit* box);

    frmMain& window_;
    std::array<QRadioButton*, 6> types_{};
    QRadioButton* sorted_ = nullptr;
    std::array<QLineEdit*, 2> range_{};
    QTabBar* tabs_ = nullptr;
    QCheckBox* before_ = nullptr;
    QLineEdit* reference_ = nullptr;
    bool pending_ = false;
};

} // namespace yilou::app
