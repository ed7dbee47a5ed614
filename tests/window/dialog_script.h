#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>

class QWidget;

namespace yilou::testing {

/// Answers the window's modal dialogs in order, as a user would: each answer waits for the
/// next dialog to become QApplication::activeModalWidget() and acts on it. Records the title
/// and text of every dialog it answered.
class DialogScript : public QObject {
    Q_OBJECT
public:
    DialogScript();

    /// Presses the button whose role is `accept` (OK) or the cancel button.
    DialogScript& ok();
    DialogScript& cancel();
    /// Types `text` into an input box and accepts it.
    DialogScript& enter(const QString& text);
    /// Chooses `path` in the file dialog.
    DialogScript& choose(const QString& path);

    /// Answers pending; the test checks this is 0 when it expects every dialog to have come.
    int pending() const { return static_cast<int>(answers_.size()); }
    /// "title|text" of each dialog answered, in order.
    const QStringList& seen() const { return seen_; }
    /// The texts of the dialogs answered, joined.
    QString seenText() const { return seen_.join(QLatin1Char('\n')); }

private:
    void poll();

    std::deque<std::function<void(QWidget*)>> answers_;
    QStringList seen_;
    QTimer timer_;
};

} // namespace yilou::testing
