#pragma once

#include <QWidget>

class QLabel;

namespace yilou::app {

class WindowInputs;

/// A page that shows a view of the history for the window's inputs. It follows every change
/// of them, but works only while it is shown: a hidden page catches up when it is shown.
class ViewPage : public QWidget {
    Q_OBJECT
public:
    ViewPage(WindowInputs& inputs, QWidget* parent);

    /// What the page covers, or why it shows nothing.
    QLabel* caption() const { return caption_; }

protected:
    /// Reads the inputs and shows the view; shows the caption's message instead when the inputs
    /// name no range.
    virtual void refresh() = 0;
    /// Recomputes now when shown, else when next shown.
    void refreshWhenShown();
    void showEvent(QShowEvent* event) override;

    WindowInputs& inputs_;

private:
    QLabel* caption_;
    bool stale_ = true;
};

} // namespace yilou::app
