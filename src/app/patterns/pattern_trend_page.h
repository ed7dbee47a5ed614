#pragma once

#include "app/overview/trend_page.h"
#include "session/pattern_steps.h"

#include <QString>
#include <string>
#include <vector>

class QComboBox;

namespace yilou::app {

/// A pattern view's caption with its warnings after it, as its caption label shows them.
QString captionWithWarnings(const std::string& caption, const std::vector<std::string>& warnings);

/// The trend chart of the pattern chosen in `pattern` over the newest N draws of the window's
/// range, with the controls of the page "走势图" but its place.
class PatternTrendPage : public TrendPage {
    Q_OBJECT
public:
    PatternTrendPage(WindowInputs& inputs, const Prompts& prompts, const QComboBox& pattern,
                     QWidget* parent = nullptr);

protected:
    void refresh() override;

private:
    const QComboBox& pattern_;
    session::HeldPatternTrend held_;
};

} // namespace yilou::app
