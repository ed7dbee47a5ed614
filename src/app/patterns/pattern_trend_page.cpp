#include "app/patterns/pattern_trend_page.h"

#include "app/dialogs/prompts.h"
#include "app/overview/trend_view.h"
#include "app/overview/window_inputs.h"
#include "core/user_error.h"
#include "session/messages.h"
#include "session/pattern_steps.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace yilou::app {

QString captionWithWarnings(const std::string& caption, const std::vector<std::string>& warnings) {
    QString text = qs(caption);
    for (const auto& problem : warnings)
        text += QStringLiteral("    ") + qs(messages::warning(problem));
    return text;
}

PatternTrendPage::PatternTrendPage(WindowInputs& inputs, const Prompts& prompts,
                                   const QComboBox& pattern, QWidget* parent)
    : TrendPage(inputs, prompts, parent), pattern_(pattern) {
    setObjectName(QStringLiteral("patternTrendPage"));
    view()->setObjectName(QStringLiteral("patternTrendView"));
    place()->parentWidget()->hide();
    connect(&pattern, &QComboBox::currentIndexChanged, this, &PatternTrendPage::refresh);
}

void PatternTrendPage::refresh() {
    // The chart in view is let go first, so that the one the page holds grows in place.
    view()->release();
    try {
        const int highestNumber = inputs_.choices().game().highestNumber;
        const auto pattern = static_cast<analysis::Pattern>(pattern_.currentData().toInt());
        const auto shown =
            session::patternTrendView(inputs_.snapshot(), pattern, inputs_.range(), chartRows(),
                                      highestNumber, held_, inputs_.revision());
        caption()->setText(captionWithWarnings(shown.caption, shown.warnings));
        view()->setChart(shown.shown());
        view()->setSideColumns(sideColumns()->isChecked() ? highestNumber : 0);
        save()->setEnabled(true);
    } catch (const UserError& error) {
        caption()->setText(qs(error.what()));
        view()->clear();
        save()->setEnabled(false);
    }
}

} // namespace yilou::app
