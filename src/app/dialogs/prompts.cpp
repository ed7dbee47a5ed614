#include "app/dialogs/prompts.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace yilou::app {

namespace {

/// What a title bar takes beside its title: the window's icon and buttons.
constexpr int kTitleBarButtons = 160;

/// The script in force, if any.
PromptScript* script = nullptr;

int showMessage(QWidget* parent, QMessageBox::Icon icon, std::string_view title,
                std::string_view text, QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, qs(title), qs(text), buttons, parent);
    box.setObjectName(QStringLiteral("prompt"));
    // Wide enough for the title bar to show the whole title after the desktop adds the
    // program's name, and room for its buttons.
    const QString shownTitle =
        box.windowTitle() + QStringLiteral(" — ") + QGuiApplication::applicationDisplayName();
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(
            new QSpacerItem(box.fontMetrics().horizontalAdvance(shownTitle) + kTitleBarButtons, 0,
                            QSizePolicy::Minimum, QSizePolicy::Fixed),
            grid->rowCount(), 0, 1, grid->columnCount());
    return box.exec();
}

} // namespace

PromptScript& PromptScript::ok() {
    answers_.push_back({true, false, {}});
    return *this;
}

PromptScript& PromptScript::cancel() {
    answers_.push_back({false, false, {}});
    return *this;
}

PromptScript& PromptScript::enter(const QString& text) {
    answers_.push_back({true, true, text});
    return *this;
}

PromptScript& PromptScript::choose(const QString& path) {
    return enter(path);
}

std::optional<QString> PromptScript::chosenFile(std::string_view title) {
    const auto chosen = answer(title, {});
    if (!chosen.accept || !chosen.typed)
        return std::nullopt;
    return chosen.text;
}

PromptScript::Answer PromptScript::answer(std::string_view title, std::string_view text) {
    seen_ << qs(title) + QLatin1Char('|') + qs(text);
    if (answers_.empty())
        return {false, false, {}};
    const Answer next = answers_.front();
    answers_.pop_front();
    return next;
}

Prompts::Scripted::Scripted(PromptScript& answers) : previous_(script) {
    script = &answers;
}

Prompts::Scripted::~Scripted() {
    script = previous_;
}

bool Prompts::confirm(std::string_view title, std::string_view text) const {
    if (script)
        return script->answer(title, text).accept;
    return showMessage(parent_, QMessageBox::Question, title, text,
                       QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

void Prompts::inform(std::string_view title, std::string_view text) const {
    if (script) {
        script->answer(title, text);
        return;
    }
    showMessage(parent_, QMessageBox::Information, title, text, QMessageBox::Ok);
}

void Prompts::warn(std::string_view title, std::string_view text) const {
    if (script) {
        script->answer(title, text);
        return;
    }
    showMessage(parent_, QMessageBox::Warning, title, text, QMessageBox::Ok);
}

std::optional<QString> Prompts::askText(std::string_view title, std::string_view prompt,
                                        const QString& defaultText) const {
    if (script) {
        const auto answer = script->answer(title, prompt);
        if (!answer.accept)
            return std::nullopt;
        return answer.typed ? answer.text : defaultText;
    }
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
    if (script)
        return script->chosenFile({});
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
    if (script)
        return script->chosenFile(title);
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
