#include "window_fixture.h"

#include "app/grid/flex_grid.h"
#include "app/grid/grid_model.h"
#include "store/history_db.h"
#include "support/history_generator.h"

#include <QAction>
#include <QApplication>
#include <QSettings>
#include <QTest>

namespace yilou::testing {

void clearSettings() {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("11S5OMBRIX"),
                       QStringLiteral("11S5OMBRIX"));
    settings.clear();
    settings.sync();
}

WindowFixture::WindowFixture() {
    clearSettings();
}

WindowFixture::~WindowFixture() = default;

void WindowFixture::storeDraws(int count) {
    GeneratedHistory settings;
    settings.draws = static_cast<std::size_t>(count);
    settings.firstIssue = 17081201;
    history::HistoryDb db(dir_ / history::kDatabaseFileName);
    db.replaceAll(generateDraws(settings));
}

void WindowFixture::copyHistory(const std::filesystem::path& file) {
    std::filesystem::copy_file(file, dir_ / history::kDatabaseFileName,
                               std::filesystem::copy_options::overwrite_existing);
}

app::frmMain& WindowFixture::open(bool openerWorks) {
    window_.reset();
    window_ = std::make_unique<app::frmMain>(dir_.path());
    window_->setClock([] { return kToday; });
    window_->setUrlOpener([this, openerWorks](const QUrl& address, std::function<void()> failed) {
        opened_.push_back(address.toString());
        if (!openerWorks)
            failed();
    });
    window_->show();
    if (!QTest::qWaitForWindowExposed(window_.get()))
        qWarning("the window was not exposed");
    return *window_;
}

void WindowFixture::activate() {
    QApplication::setActiveWindow(window_.get());
    if (!QTest::qWaitForWindowActive(window_.get()))
        qWarning("the window did not become active");
}

void WindowFixture::trigger(const QString& name) {
    auto* action = window_->findChild<QAction*>(name);
    QVERIFY2(action, qPrintable(name));
    action->trigger();
}

/// The grid as the user reads it: every data row's cells.
QList<QStringList> gridRows(const app::FlexGrid* grid) {
    QList<QStringList> rows;
    const auto* model = grid->gridModel();
    for (int r = 1; r < model->gridRows(); ++r) {
        QStringList cells;
        for (int c = 0; c < model->columnCount(); ++c)
            cells << model->gridText(r, c);
        rows << cells;
    }
    return rows;
}

} // namespace yilou::testing
