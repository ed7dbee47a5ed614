#pragma once

#include "session/pattern_steps.h"
#include "session/view_steps.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <array>
#include <optional>

namespace yilou::app {

/// The trend chart drawn as a table: a row per draw (issue and numbers at the left), a column
/// per value in each block of places; a hit is a coloured ball holding the value, a miss the
/// draws since the value's last hit in grey. The bottom rows hold 出现次数, 平均遗漏, 最大遗漏
/// and 最大连出 of the chart's draws. Head, left columns and bottom rows stay in place while the
/// rest scrolls, and only the rows in view are drawn, so a chart of any length scrolls at once.
class TrendView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TrendView(QWidget* parent = nullptr);

    /// Shows the chart of `shown`, scrolled to its newest draw.
    void setChart(session::TrendShown shown);
    void clear();
    /// Lets go of the chart in view without showing the change, so that a chart its page holds
    /// can grow in place; setChart() or clear() must follow before the view is painted. The
    /// scroll position stays for the next chart.
    void release();
    /// The chart shown; none while the view is empty.
    const analysis::TrendChart* chart() const { return chart_; }

    /// Grey omission counts in the cells of misses (显示遗漏).
    void setShowMisses(bool show);
    /// Lines joining the hits of consecutive rows in the blocks of one position (辅助线).
    void setGuideLines(bool show);
    /// Columns after the numbers with each row's 和值, 跨度, 奇偶比 and 大小比 in a game of the
    /// numbers 1..highestNumber; 0 hides them.
    void setSideColumns(int highestNumber);

    /// The whole chart as one image; a null image when it is too large for one.
    QImage image() const;
    /// The most rows an image of the chart can hold.
    int imageRowLimit() const;

    /// The texts of the bottom rows: [row of session::kTrendFooter][block][value].
    QString footerText(std::size_t footerRow, std::size_t block, std::size_t value) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void changeEvent(QEvent* event) override;

private:
    /// Cell sizes for the font and the widest text of the chart.
    void measure();
    void updateScrollBars();
    /// Where the side columns start, after issue and numbers.
    int sideLeft() const { return issueWidth_ + numbersWidth_; }
    /// The columns that stay in place at the left: issue, numbers and the side columns.
    int leftWidth() const { return sideLeft() + kSideColumnCount * sideWidth_; }
    static constexpr int kSideColumnCount = static_cast<int>(analysis::kTrendSidePatterns.size());
    /// Where the parts of the chart lie in an area of `size` scrolled by `scroll` (pixels past
    /// the frozen head and left columns), and the rows in view.
    struct Layout {
        QSize size;
        QPoint scroll;
        int left = 0;       ///< the width of the left columns
        int headHeight = 0; ///< the height of the head
        int footTop = 0;    ///< the top of the bottom rows
        QRect body;         ///< the cells between them
        std::size_t rows = 0, values = 0, blocks = 0;
        int blockWidth = 0;
        std::size_t firstRow = 0, lastRow = 0; ///< the rows in view, lastRow one past
    };
    Layout layout(QSize size, QPoint scroll) const;
    int rowTop(const Layout& at, std::size_t row) const;
    int cellLeft(const Layout& at, std::size_t block, std::size_t value) const;
    /// The line under a row, darker under every fifth.
    void rowLine(QPainter& painter, const Layout& at, std::size_t row, int x0, int x1) const;

    /// Draws the chart into an area of `size` scrolled by `scroll`: the body, the left columns,
    /// the head and the bottom rows.
    void paintChart(QPainter& painter, QSize size, QPoint scroll) const;
    /// The cells of the rows in view, with the block tints, the grid and the guide lines.
    void paintBody(QPainter& painter, const Layout& at) const;
    /// Lines joining the hits of consecutive rows, to the rows just outside the view too.
    void paintGuideLines(QPainter& painter, const Layout& at) const;
    /// A ball for each hit, the misses in grey.
    void paintCells(QPainter& painter, const Layout& at) const;
    /// The issue and numbers of the rows in view.
    void paintLeftColumns(QPainter& painter, const Layout& at) const;
    /// The block captions over the value labels.
    void paintHead(QPainter& painter, const Layout& at) const;
    /// The bottom rows: the figures of the chart's draws.
    void paintFooter(QPainter& painter, const Layout& at) const;
    /// The value column of the block's hit in `row` when its rows hold one value at most.
    std::optional<std::size_t> positionHit(std::size_t block, std::size_t row) const;

    std::optional<session::TrendShown> shown_;
    /// The chart of shown_, while there is one.
    const analysis::TrendChart* chart_ = nullptr;
    QList<QString> valueLabels_;
    int sideHighestNumber_ = 0;
    /// [footer row][block] -> texts per value.
    std::array<QList<QList<QString>>, 4> footer_;
    bool showMisses_ = true;
    bool guideLines_ = false;

    int rowHeight_ = 0;
    int cellWidth_ = 0;
    int issueWidth_ = 0;
    int numbersWidth_ = 0;
    int sideWidth_ = 0; ///< of each side column
};

} // namespace yilou::app
