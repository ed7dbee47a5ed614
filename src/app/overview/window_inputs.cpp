#include "app/overview/window_inputs.h"

#include "app/frm_main.h"
#include "app/shell/control_names.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTimer>

namespace yilou::app {

namespace {

template <typename Control> Control* control(const QObject& window, const QString& name) {
    auto* found = window.findChild<Control*>(name);
    Q_ASSERT(found);
    return found;
}

} // namespace

WindowInputs::WindowInputs(frmMain& window) : QObject(&window), window_(window) {
    for (int i = 0; i < 6; ++i) {
        types_[i] = control<QRadioButton>(window, arrayName("Option3", i));
        connect(types_[i], &QRadioButton::toggled, this, &WindowInputs::schedule);
    }
    sorted_ = control<QRadioButton>(window, arrayName("Option2", 5));
    connect(sorted_, &QRadioButton::toggled, this, &WindowInputs::schedule);
    for (int i = 0; i < 2; ++i)
        watch(range_[i] = control<QLineEdit>(window, arrayName("Text3", i)));
    tabs_ = control<QTabBar>(window, QStringLiteral("TabStrip1"));
    connect(tabs_, &QTabBar::currentChanged, this, &WindowInputs::schedule);
    before_ = control<QCheckBox>(window, QStringLiteral("Check4"));
    connect(before_, &QCheckBox::toggled, this, &WindowInputs::schedule);
    watch(reference_ = control<QLineEdit>(window, QStringLiteral("Text4")));
    // The game and the code bases decide the values and their codes.
    for (const char* menu : {"mnu11S5", "mnuSxcs", "mnuDscs"})
        for (QAction* action : window.findChildren<QAction*>())
            if (action->objectName().startsWith(QLatin1String(menu) + QLatin1Char('(')))
                connect(action, &QAction::triggered, this, &WindowInputs::schedule);
    connect(&window, &frmMain::historyChanged, this, &WindowInputs::schedule);
}

void WindowInputs::watch(QLineEdit* box) {
    connect(box, &QLineEdit::textChanged, this, [this, box] {
        if (!box->hasFocus())
            schedule();
    });
    connect(box, &QLineEdit::editingFinished, this, &WindowInputs::schedule);
}

void WindowInputs::schedule() {
    if (pending_)
        return;
    pending_ = true;
    QTimer::singleShot(0, this, [this] {
        pending_ = false;
        emit changed();
    });
}

const history::Snapshot& WindowInputs::snapshot() const {
    return window_.snapshot();
}

std::uint64_t WindowInputs::revision() const {
    return window_.historyRevision();
}

const session::Choices& WindowInputs::choices() const {
    return window_.choices();
}

session::ViewRequest WindowInputs::read() const {
    session::ViewRequest request;
    for (int i = 0; i < 6; ++i)
        if (types_[i]->isChecked())
            request.type = static_cast<analysis::SearchType>(i);
    request.order =
        sorted_->isChecked() ? history::NumberOrder::Sorted : history::NumberOrder::Drop;
    request.start = range_[0]->text().toStdString();
    const std::string reference = reference_->text().trimmed().toStdString();
    if (tabs_->currentIndex() == 1 && !reference.empty()) {
        request.reference = reference;
        request.beforeOnly = before_->isChecked();
    } else {
        request.end = range_[1]->text().toStdString();
    }
    return request;
}

analysis::IndexRange WindowInputs::range() const {
    return session::viewRange(snapshot(), read(), choices());
}

} // namespace yilou::app
