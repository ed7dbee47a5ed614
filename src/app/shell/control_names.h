#pragma once

#include <QString>
#include <QWidget>

namespace yilou::app {

/// The object name of member `index` of a control array: "Option3(2)", "Check6(11)".
inline QString arrayName(const char* control, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(control)).arg(index);
}

/// Creates a widget with its object name set, for the controls that tests and tools find by
/// name.
template <typename Widget, typename... Args>
Widget* makeNamed(const QString& name, Args&&... args) {
    auto* widget = new Widget(std::forward<Args>(args)...);
    widget->setObjectName(name);
    return widget;
}

} // namespace yilou::app
