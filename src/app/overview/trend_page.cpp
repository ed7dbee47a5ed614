#include "app/overview/trend_page.h"

#include "app/dialogs/prompts.h"
#include "app/frm_main.h"
#include "app/overview/trend_view.h"
#include "app/overview/window_inputs.h"
#include "app/shell/flow_layout.h"
#include "core/messages.h"
#include "core/user_error.h"
#include "session/messages.h"
#include "session/overview_grid.h"
#include "session/view_steps.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QImageWriter>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>
#include <iterator>

namespace yilou::app {

namespace {

/// The choices of N; 0 stands for every draw of the range.
constexpr int kDrawCounts[] = {30, 50, 100, 200, 500, 0};
/// Their captions, each with an Alt letter of its own (500 takes its last digit, as 50 has 5).
constexpr const char* kDrawCountCaptions[] = {"&30", "&50", "&100", "&200", "50&0", "全部(&Q)"};
constexpr int kDefaultCount = 50;

} // namespace

TrendPage::TrendPage(WindowInputs& inputs, const Prompts& prompts, QWidget* parent)
    : ViewPage(inputs, parent), prompts_(prompts), view_(new TrendView),
      counts_(new QButtonGroup(this)), place_(new QComboBox),
      showMisses_(new QCheckBox(QStringLiteral("显示遗漏"))),
      guideLines_(new QCheckBox(QStringLiteral("辅助线"))),
      sideColumns_(new QCheckBox(QStringLiteral("显示形态"))),
      save_(new QPushButton(QStringLiteral("保存图片(&B)"))) {
    setObjectName(QStringLiteral("trendPage"));
    // The controls wrap onto a second row on a narrow window.
    auto* controls = new FlowLayout;
    controls->addWidget(new QLabel(QStringLiteral("期数")));
    for (std::size_t i = 0; i < std::size(kDrawCounts); ++i) {
        const int count = kDrawCounts[i];
        auto* button = new QPushButton(QString::fromUtf8(kDrawCountCaptions[i]));
        button->setObjectName(count ? QStringLiteral("cmdTrend%1").arg(count)
                                    : QStringLiteral("cmdTrendAll"));
        button->setCheckable(true);
        button->setChecked(count == kDefaultCount);
        button->setMaximumWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("0000")) +
                                20);
        counts_->addButton(button, count);
        controls->addWidget(button);
    }
    connect(counts_, &QButtonGroup::idClicked, this, &TrendPage::refresh);

    place_->setObjectName(QStringLiteral("cboTrendPlace"));
    // The last entry: a block for each of the five positions.
    for (const int place : {analysis::kAnyPlace, 1, 2, 3, 4, 5, session::kEachPosition})
        place_->addItem(qs(session::placeCaption(place)), place);
    connect(place_, &QComboBox::currentIndexChanged, this, &TrendPage::refresh);
    // In a box of their own, which a chart without places hides.
    auto* placeBox = new QWidget;
    auto* placeLayout = new QHBoxLayout(placeBox);
    placeLayout->setContentsMargins(12, 0, 0, 0);
    placeLayout->addWidget(new QLabel(QStringLiteral("位置")));
    placeLayout->addWidget(place_);
    controls->addWidget(placeBox);

    showMisses_->setObjectName(QStringLiteral("chkShowMisses"));
    showMisses_->setChecked(true);
    connect(showMisses_, &QCheckBox::toggled, view_, &TrendView::setShowMisses);
    guideLines_->setObjectName(QStringLiteral("chkGuideLines"));
    connect(guideLines_, &QCheckBox::toggled, view_, &TrendView::setGuideLines);
    save_->setObjectName(QStringLiteral("cmdSaveTrend"));
    connect(save_, &QPushButton::clicked, this, &TrendPage::saveChart);
    controls->addWidget(showMisses_);
    controls->addWidget(guideLines_);
    sideColumns_->setObjectName(QStringLiteral("chkSideColumns"));
    connect(sideColumns_, &QCheckBox::toggled, this, &TrendPage::refresh);
    controls->addWidget(sideColumns_);
    controls->addWidget(save_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(controls);
    layout->addWidget(caption());
    layout->addWidget(view_, 1);
}

void TrendPage::refresh() {
    // The chart in view is let go first, so that the one the page holds grows in place.
    view_->release();
    try {
        auto request = inputs_.read();
        request.last = chartRows();
        auto shown = session::showTrend(inputs_.snapshot(), request, place_->currentData().toInt(),
                                        inputs_.choices(), held_, inputs_.revision());
        caption()->setText(qs(shown.caption));
        view_->setChart(std::move(shown));
        view_->setSideColumns(sideColumns_->isChecked() ? inputs_.choices().game().highestNumber
                                                        : 0);
        save_->setEnabled(true);
    } catch (const UserError& error) {
        caption()->setText(qs(error.what()));
        view_->clear();
        save_->setEnabled(false);
    }
}

std::size_t TrendPage::chartRows() const {
    const int count = counts_->checkedId();
    return count > 0 ? static_cast<std::size_t>(count) : analysis::kAllDraws;
}

void TrendPage::saveChart() {
    const auto& chart = view_->chart();
    if (!chart)
        return;
    const QImage image = view_->image();
    if (image.isNull()) {
        prompts_.warn(messages::kNoticeTitle,
                      messages::chartTooLongForPicture(chart->rowCount(), view_->imageRowLimit()));
        return;
    }
    const QString proposed =
        QDir(QString::fromStdString(inputs_.window().dataFolder().string()))
            .filePath(
                QStringLiteral("走势图%1.png").arg(qs(history::issueText(chart->issues.back()))));
    auto file = prompts_.saveFile(messages::kSaveChartTitle, proposed, messages::kPictureFilter);
    if (!file)
        return;
    if (!file->endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
        *file += QStringLiteral(".png");
    // Written beside the file and renamed over it once complete: a failed save leaves any
    // earlier picture of that name as it was.
    QSaveFile out(*file);
    QImageWriter writer(&out, "png");
    if (!out.open(QIODevice::WriteOnly) || !writer.write(image) || !out.commit()) {
        const QString reason =
            out.error() != QFileDevice::NoError ? out.errorString() : writer.errorString();
        out.cancelWriting();
        prompts_.warn(messages::kNoticeTitle,
                      messages::cannotWriteFile(file->toStdString(), reason.toStdString()));
        return;
    }
    prompts_.inform(messages::kSaveChartTitle, messages::chartSaved(file->toStdString()));
}

} // namespace yilou::app
