#pragma once

#include "session/overview_grid.h"

#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>

namespace yilou::app {

/// The gap histogram of one value as a bar chart: how many closed gaps had each length 1..20
/// and how many were longer, the count above each bar.
class GapHistogram : public QWidget {
    Q_OBJECT
public:
    using Counts = std::array<std::int32_t, analysis::kHistogramLengths + 1>;

    explicit GapHistogram(QWidget* parent = nullptr);

    /// Shows `counts` under `title`.
    void setHistogram(const QString& title, const Counts& counts);
    /// Shows no bars.
    void clear();

    const QString& title() const { return title_; }
    const Counts& counts() const { return counts_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    /// The width given to one bar and its label.
    int pitch() const;
    /// The least width a bar's label needs.
    int narrowestPitch() const;

    QString title_;
    Counts counts_{};
};

} // namespace yilou::app
