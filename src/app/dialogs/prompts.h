#pragma once

#include <QString>
#include <optional>
#include <string_view>

class QWidget;

namespace yilou::app {

/// Every question and message of the window, shown modally with Qt's standard dialogs
/// (QMessageBox, QInputDialog, QFileDialog without the platform's native dialog), so that a
/// test finds each one as QApplication::activeModalWidget() and answers it.
class Prompts {
public:
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
