#pragma once

#include "session/sample_histories.h"

#include <QWidget>
#include <vector>

class QMenu;
class QPushButton;

namespace yilou::app {

/// Shown where the history grid is while no draw is stored: where draws come from and three
/// ways to get them, the text import `cmdFirstImport`, the update address `cmdFirstUpdateUrl`
/// and the sample histories `cmdFirstSample` (a menu of the samples found, `mnuSample(i)`).
class FirstStartPanel : public QWidget {
    Q_OBJECT
public:
    explicit FirstStartPanel(std::vector<session::SampleHistory> samples,
                             QWidget* parent = nullptr);

    QPushButton* cmdFirstImport;
    QPushButton* cmdFirstUpdateUrl;
    QPushButton* cmdFirstSample;
    /// The samples by game name; the history menu offers it too.
    QMenu* sampleMenu;

signals:
    void sampleChosen(const session::SampleHistory& sample);

private:
    std::vector<session::SampleHistory> samples_;
};

} // namespace yilou::app
