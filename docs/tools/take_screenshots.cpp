// Takes the guide's screenshots from the real window: builds frmMain on a data folder, brings
// it into each state the guide shows and saves what QWidget::grab sees as PNG files.
#include "app/analysis/analysis_area.h"
#include "app/analysis/range_panel.h"
#include "app/frm_main.h"
#include "app/overview/overview_page.h"
#include "app/overview/overview_pages.h"
#include "app/overview/trend_page.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <cstdio>

namespace {

void settle() {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("11S5OMBRIX"));
    const QStringList args = QApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "用法：yilou_screenshots 数据文件夹 输出文件夹\n");
        return 2;
    }
    const QDir out(args[2]);
    out.mkpath(QStringLiteral("."));
    yilou::app::frmMain window(args[1].toStdString());
    window.resize(1366, 740);
    window.show();
    settle();
    window.grab().save(out.filePath(QStringLiteral("window.png")));

    // The overview pages over the whole history.
    if (!window.snapshot().empty()) {
        auto& range = window.analysis()->range->Text3;
        range[0]->setText(QString::number(window.snapshot().issues.front() + 2000000000LL));
        range[1]->setText(QString::number(window.snapshot().issues.back() + 2000000000LL));
    }
    auto* pages = window.findChild<yilou::app::OverviewPages*>();
    pages->tabs()->setCurrentWidget(pages->overview());
    settle();
    pages->overview()->grid()->sortByColumn(5, Qt::DescendingOrder);
    pages->overview()->grid()->selectRow(0);
    settle();
    window.grab().save(out.filePath(QStringLiteral("overview.png")));

    pages->tabs()->setCurrentWidget(pages->trend());
    pages->trend()->guideLines()->setChecked(true);
    pages->trend()->place()->setCurrentIndex(1);
    settle();
    window.grab().save(out.filePath(QStringLiteral("trend.png")));
    return 0;
}
