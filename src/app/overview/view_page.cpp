#include "app/overview/view_page.h"

#include "app/overview/window_inputs.h"

#include <QLabel>

namespace yilou::app {

ViewPage::ViewPage(WindowInputs& inputs, QWidget* parent)
    : QWidget(parent), inputs_(inputs), caption_(new QLabel) {
    caption_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A long message wraps instead of widening the window.
    caption_->setWordWrap(true);
    connect(&inputs, &WindowInputs::changed, this, &ViewPage::refreshWhenShown);
}

void ViewPage::refreshWhenShown() {
    stale_ = true;
    if (isVisible()) {
        stale_ = false;
        refresh();
    }
}

void ViewPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (stale_) {
        stale_ = false;
        refresh();
    }
}

} // namespace yilou::app
