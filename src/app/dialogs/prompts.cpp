#include "app/dialogs/prompts.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace yilou::app {

namespace {

int showMessage(QWidget* parent, QMessageBox::Icon icon, std::string_view title,
                std::string_view text, QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, qs(title), qs(text), buttons, parent);
    box.setObjectName(QStringLiteral("prompt"));
    return box.exec();
}

} // namespace

bool Prompts::confirm(std::string_view title, std::string_view text) const {
    return showMessage(parent_, QMessageBox::Question, title, text,
                       QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

void Prompts::inform(std::string_view title, std::string_view text) const {
    showMessage(parent_, QMessageBox::Information, title, text, QMessageBox::Ok);
}

void Prompts::warn(std::string_view title, std::string_view text) const {
    showMessage(parent_, QMessageBox::Warning, title, text, QMessageBox::Ok);
}

std::optional<QString> Prompts::askText(std::string_view title, std::string_view prompt,
                                        const QString& defaultText) const {
    QInputDialog dialog(parent_);
    dialog.setWindowTitle(qs(title));
    dialog.setLabelText(qs(prompt));
    dialog.setTextValue(defaultText);
    dialog.setInputMode(QInputDialog::TextInput);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::optional<QString> Prompts::openFile(const QString& folder, std::string_view filter) const {
    QFileDialog dialog(parent_, QString(), folder, qs(filter));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

std::optional<QString> Prompts::saveFile(std::string_view title, const QString& file,
                                         std::string_view filter) const {
    QFileDialog dialog(parent_, qs(title), file, qs(filter));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectFile(file);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

} // namespace yilou::app
