#include "app/overview/missing_issues_dialog.h"

#include "app/dialogs/prompts.h"
#include "app/grid/flex_grid.h"
#include "app/grid/grid_model.h"
#include "session/messages.h"
#include "session/overview_grid.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace yilou::app {

MissingIssuesDialog::MissingIssuesDialog(const history::MissingIssues& missing, int drawsPerDay,
                                         QWidget* parent)
    : QDialog(parent), missing_(missing), summary_(new QLabel) {
    setObjectName(QStringLiteral("missingIssuesDialog"));
    setWindowTitle(QStringLiteral("检查缺失期号"));
    std::string text = missing_.ranges.empty()
                           ? messages::noMissingIssues(drawsPerDay)
                           : messages::missingIssuesTotal(drawsPerDay, missing_.total);
    if (!missing_.unplaced.empty())
        text += "\n" + messages::unplacedIssues(missing_.unplaced);
    summary_->setText(qs(text));
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    QStringList headers;
    for (const auto& header : session::MissingGrid::headers())
        headers << qs(header);
    model_ = new GridModel(headers, this);
    model_->reset(static_cast<int>(missing_.ranges.size()), [this](int row, int column) {
        return qs(
            session::MissingGrid::cell(missing_.ranges[static_cast<std::size_t>(row)], column));
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
