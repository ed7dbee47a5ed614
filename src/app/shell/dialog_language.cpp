#include "app/shell/dialog_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace yilou::app {

void useChineseDialogTexts(QCoreApplication& application) {
    auto* translator = new QTranslator(&application);
    if (translator->load(QStringLiteral("qtbase_zh_CN"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace yilou::app
