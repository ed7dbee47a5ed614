#include "app/overview/missing_issues_dialog.h"

#include "app/dialogs/prompts.h"
#include "app/grid/flex_grid.h"
#include "app/grid/grid_model.h"
#include "session/overview_grid.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace yilou::app {

MissingIssuesDialog::MissingIssuesDialog(session::MissingShown shown, QWidget* parent)
    : QDialog(parent), shown_(std::move(shown)), summary_(new QLabel) {
    setObjectName(QStringLiteral("missingIssuesDialog"));
    setWindowTitle(QStringLiteral("检查缺失期号"));
    summary_->setText(
        qs(shown_.unplacedNote ? shown_.summary + "\n" + *shown_.unplacedNote : shown_.summary));
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    QStringList headers;
    for (const auto& header : session::MissingGrid::headers())
        headers << qs(header);
    model_ = new GridModel(headers, this);
    model_->reset(static_cast<int>(shown_.missing.ranges.size()), [this](int row, int column) {
        return qs(session::MissingGrid::cell(shown_.missing.ranges[static_cast<std::size_t>(row)],
                                             column));
    });
    grid_ = new FlexGrid(QStringLiteral("grdMissing"), model_);
    grid_->setTwipsWidths(std::array{1600, 1600, 1200});

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(grid_, 1);
    layout->addWidget(buttons);
    resize(420, 420);
}

} // namespace yilou::app
