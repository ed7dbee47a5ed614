#include "dialog_script.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace yilou::testing {

DialogScript::DialogScript() {
    timer_.setInterval(5);
    connect(&timer_, &QTimer::timeout, this, &DialogScript::poll);
    timer_.start();
}

void DialogScript::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    // A dialog answered once carries a mark: a later dialog may reuse its address.
    if (!modal || answers_.empty() || !modal->isVisible() || modal->property("answered").toBool())
        return;
    if (modal->objectName() == QLatin1String("progress"))
        return;
    QString text;
    if (auto* box = qobject_cast<QMessageBox*>(modal))
        text = box->text();
    else if (auto* input = qobject_cast<QInputDialog*>(modal))
        text = input->labelText();
    seen_ << modal->windowTitle() + QLatin1Char('|') + text;
    modal->setProperty("answered", true);
    auto answer = std::move(answers_.front());
    answers_.pop_front();
    answer(modal);
}

DialogScript& DialogScript::ok() {
    answers_.push_back([](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            box->button(QMessageBox::Ok)->click();
        else if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->accept();
    });
    return *this;
}

DialogScript& DialogScript::cancel() {
    answers_.push_back([](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal); box && box->button(QMessageBox::Cancel))
            box->button(QMessageBox::Cancel)->click();
        else if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
    });
    return *this;
}

DialogScript& DialogScript::enter(const QString& text) {
    answers_.push_back([text](QWidget* modal) {
        auto* input = qobject_cast<QInputDialog*>(modal);
        input->setTextValue(text);
        input->accept();
    });
    return *this;
}

DialogScript& DialogScript::choose(const QString& path) {
    answers_.push_back([path](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept();
    });
    return *this;
}

} // namespace yilou::testing
