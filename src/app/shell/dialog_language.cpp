#include "app/shell/dialog_language.h"

#include "app/dialogs/prompts.h"
#include "session/messages.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace yilou::app {

namespace {

/// The kinds of entry the file dialog's list names ("Folder") and its file sizes in bytes,
/// which Qt's own translations leave in English.
class FileKindTexts : public QTranslator {
public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }

    QString translate(const char* context, const char* sourceText, const char*,
                      int) const override {
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0 && qstrcmp(context, "QLocale") != 0)
            return {};
        for (const auto& [english, chinese] : messages::kFileKinds)
            if (english == sourceText)
                return qs(chinese);
        return {};
    }
};

} // namespace

void useChineseDialogTexts(QCoreApplication& application) {
    // Dates and the kinds of file (the shared MIME database's comments) in Chinese.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    QCoreApplication::installTranslator(new FileKindTexts(&application));
    auto* translator = new QTranslator(&application);
    if (translator->load(QStringLiteral("qtbase_zh_CN"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace yilou::app
