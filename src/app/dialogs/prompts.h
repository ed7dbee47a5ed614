#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <string_view>

class QWidget;

namespace yilou::app {

/// What the user answers to the window's prompts, given in advance: while a script is in force
/// (Prompts::Scripted) each prompt takes the next answer instead of showing its dialog, so that
/// a test runs a whole conversation without waiting for dialogs to appear.
class PromptScript {
public:
    /// OK: a question is confirmed, an input box keeps its proposed text.
    PromptScript& ok();
    /// Cancel: a question is refused, an input box or a file dialog gives nothing.
    PromptScript& cancel();
    /// Types `text` into an input box and accepts it.
    PromptScript& enter(const QString& text);
    /// Chooses `path` in a file dialog.
    PromptScript& choose(const QString& path);

    /// Answers not taken yet; a test expecting every prompt to have come checks for 0.
    int pending() const { return static_cast<int>(answers_.size()); }
    /// "title|text" of each prompt, in order, including those that found no answer left
    /// (they are cancelled).
    const QStringList& seen() const { return seen_; }
    QString seenText() const { return seen_.join(QLatin1Char('\n')); }

private:
    friend class Prompts;
    struct Answer {
        bool accept = true;
        bool typed = false; ///< text holds what was typed or chosen
        QString text;
    };
    /// Records the prompt and takes the next answer.
    Answer answer(std::string_view title, std::string_view text);
    /// A file dialog's answer: the path chosen, nothing when cancelled.
    std::optional<QString> chosenFile(std::string_view title);

    std::deque<Answer> answers_;
    QStringList seen_;
};

/// Every question and message of the window, shown modally with Qt's standard dialogs
/// (QMessageBox, QInputDialog, QFileDialog without the platform's native dialog), or answered
/// from a PromptScript while one is in force.
class Prompts {
public:
    /// Puts `script` in force for every Prompts until it goes out of scope.
    class Scripted {
    public:
        explicit Scripted(PromptScript& answers);
        ~Scripted();
        Scripted(const Scripted&) = delete;
        Scripted& operator=(const Scripted&) = delete;

    private:
        PromptScript* previous_;
    };

    explicit Prompts(QWidget* parent) : parent_(parent) {}

    /// Question icon, OK and Cancel; true for OK.
    bool confirm(std::string_view title, std::string_view text) const;
    /// An outcome, with an OK button.
    void inform(std::string_view title, std::string_view text) const;
    /// A failure, with an OK button.
    void warn(std::string_view title, std::string_view text) const;
    /// An input box; nothing when cancelled.
    std::optional<QString> askText(std::string_view title, std::string_view prompt,
                                   const QString& defaultText) const;
    /// The file-open dialog in `folder` with a name filter ("Text(*.txt)"); nothing when
    /// cancelled.
    std::optional<QString> openFile(const QString& folder, std::string_view filter) const;
    /// The file-save dialog titled `title`, proposing `file` (a path) with a name filter; it
    /// asks before replacing a file. Nothing when cancelled.
    std::optional<QString> saveFile(std::string_view title, const QString& file,
                                    std::string_view filter) const;

private:
    QWidget* parent_;
};

/// UTF-8 text as a QString.
inline QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace yilou::app
