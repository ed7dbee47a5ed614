#pragma once

class QCoreApplication;

namespace yilou::app {

/// Gives Qt's own dialog texts (OK, Cancel, Yes, No, the file dialog) in Chinese, as the rest of
/// the window is, whatever the desktop's language. Without Qt's translation files installed the
/// dialogs keep their English texts and nothing else changes.
void useChineseDialogTexts(QCoreApplication& application);

} // namespace yilou::app
