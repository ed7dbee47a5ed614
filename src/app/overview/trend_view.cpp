#include "app/overview/trend_view.h"

#include "app/dialogs/prompts.h"
#include "session/messages.h"
#include "session/overview_grid.h"
#include "session/pattern_steps.h"

#include <QEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace yilou::app {

namespace {

constexpr int kHeadRows = 2;
constexpr int kFooterRows = static_cast<int>(session::kTrendFooter.size());
/// The longest side of an image that viewers and the PNG writer take without trouble.
constexpr int kMaxImageSide = 32767;

/// The ball colour of a block: anywhere red, each position its own.
QColor placeColour(int place) {
    static const QColor colours[] = {QColor(0xd6, 0x2d, 0x2d), QColor(0xd6, 0x2d, 0x2d),
                                     QColor(0x1f, 0x6f, 0xd1), QColor(0x23, 0x91, 0x3b),
                                     QColor(0xe0, 0x7b, 0x12), QColor(0x8e, 0x44, 0xad)};
    return colours[std::clamp(place, 0, 5)];
}

const QColor kGrid(0xdd, 0xdd, 0xdd);
const QColor kSeparator(0x88, 0x88, 0x88);
const QColor kMiss(0x9a, 0x9a, 0x9a);
const QColor kHeadBack(0xee, 0xee, 0xee);
const QColor kBlockTint(0xf6, 0xf8, 0xfc);

} // namespace

TrendView::TrendView(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName(QStringLiteral("trendView"));
    viewport()->setAutoFillBackground(false);
    measure();
}

void TrendView::setChart(session::TrendShown shown) {
    shown_ = std::move(shown);
    chart_ = shown_->chart.get();
    valueLabels_.clear();
    for (const auto& label : shown_->labels)
        valueLabels_ << qs(label);
    for (std::size_t f = 0; f < footer_.size(); ++f) {
        footer_[f].clear();
        for (const auto& block : shown_->footer[f]) {
            auto& texts = footer_[f].emplace_back();
            for (const auto& text : block)
                texts << qs(text);
        }
    }
    measure();
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    viewport()->update();
}

void TrendView::clear() {
    release();
    valueLabels_.clear();
    for (auto& texts : footer_)
        texts.clear();
    measure();
    viewport()->update();
}

void TrendView::release() {
    shown_.reset();
    chart_ = nullptr;
}

void TrendView::setShowMisses(bool show) {
    showMisses_ = show;
    viewport()->update();
}

void TrendView::setGuideLines(bool show) {
    guideLines_ = show;
    viewport()->update();
}

void TrendView::setSideColumns(int highestNumber) {
    if (highestNumber == sideHighestNumber_)
        return;
    sideHighestNumber_ = highestNumber;
    measure();
    viewport()->update();
}

QString TrendView::footerText(std::size_t footerRow, std::size_t block, std::size_t value) const {
    return footer_[footerRow][static_cast<qsizetype>(block)][static_cast<qsizetype>(value)];
}

void TrendView::measure() {
    const QFontMetrics metrics(font());
    rowHeight_ = metrics.height() + 4;
    int widest = metrics.horizontalAdvance(QStringLiteral("000"));
    for (const auto& rows : footer_)
        for (const auto& texts : rows)
            for (const QString& text : texts)
                widest = std::max(widest, metrics.horizontalAdvance(text));
    for (const QString& label : valueLabels_)
        widest = std::max(widest, metrics.horizontalAdvance(label));
    cellWidth_ = std::max(rowHeight_, widest + 8);
    issueWidth_ = metrics.horizontalAdvance(QStringLiteral("2017081284")) + 14;
    numbersWidth_ = metrics.horizontalAdvance(QStringLiteral("00 00 00 00 00")) + 14;
    sideWidth_ = 0;
    if (sideHighestNumber_ > 0)
        for (const auto pattern : analysis::kTrendSidePatterns)
            sideWidth_ = std::max(
                sideWidth_, metrics.horizontalAdvance(qs(messages::patternName(pattern))) + 10);
    updateScrollBars();
}

void TrendView::updateScrollBars() {
    const int rows = chart_ ? static_cast<int>(chart_->rowCount()) : 0;
    const int columns =
        chart_ ? static_cast<int>(chart_->blocks.size() * chart_->values.size()) : 0;
    const QSize area = viewport()->size();
    const int bodyWidth = std::max(0, area.width() - leftWidth());
    const int bodyHeight = std::max(0, area.height() - (kHeadRows + kFooterRows) * rowHeight_);
    horizontalScrollBar()->setRange(0, std::max(0, columns * cellWidth_ - bodyWidth));
    horizontalScrollBar()->setPageStep(bodyWidth);
    horizontalScrollBar()->setSingleStep(cellWidth_);
    // A view at its newest draw stays there when it changes size.
    const bool atEnd = verticalScrollBar()->value() == verticalScrollBar()->maximum();
    verticalScrollBar()->setRange(0, std::max(0, rows * rowHeight_ - bodyHeight));
    if (atEnd)
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    verticalScrollBar()->setPageStep(bodyHeight);
    verticalScrollBar()->setSingleStep(rowHeight_);
}

void TrendView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void TrendView::scrollContentsBy(int, int) {
    viewport()->update();
}

void TrendView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        measure();
}

void TrendView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    paintChart(painter, viewport()->size(),
               {horizontalScrollBar()->value(), verticalScrollBar()->value()});
}

int TrendView::imageRowLimit() const {
    return (kMaxImageSide - (kHeadRows + kFooterRows) * rowHeight_) / rowHeight_;
}

QImage TrendView::image() const {
    if (!chart_)
        return {};
    const auto rows = static_cast<int>(chart_->rowCount());
    const auto columns = static_cast<int>(chart_->blocks.size() * chart_->values.size());
    const QSize size(leftWidth() + columns * cellWidth_,
                     (kHeadRows + rows + kFooterRows) * rowHeight_);
    if (rows > imageRowLimit() || size.width() > kMaxImageSide)
        return {};
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    QPainter painter(&image);
    painter.setFont(font());
    paintChart(painter, size, {0, 0});
    return image;
}

std::optional<std::size_t> TrendView::positionHit(std::size_t block, std::size_t row) const {
    if (!shown_->oneValuePerRow)
        return std::nullopt;
    for (std::size_t v = 0; v < chart_->values.size(); ++v)
        if (chart_->misses(block, v, row) == 0)
            return v;
    return std::nullopt;
}

TrendView::Layout TrendView::layout(QSize size, QPoint scroll) const {
    Layout at;
    at.size = size;
    at.scroll = scroll;
    at.left = leftWidth();
    at.headHeight = kHeadRows * rowHeight_;
    at.footTop = size.height() - kFooterRows * rowHeight_;
    at.body = QRect(at.left, at.headHeight, size.width() - at.left, at.footTop - at.headHeight);
    // Left columns and head captions are drawn even without a chart.
    at.rows = chart_ ? chart_->rowCount() : 0;
    at.values = chart_ ? chart_->values.size() : 0;
    at.blocks = chart_ ? chart_->blocks.size() : 0;
    at.blockWidth = static_cast<int>(at.values) * cellWidth_;
    if (at.rows > 0 && at.body.height() > 0) {
        at.firstRow = static_cast<std::size_t>(scroll.y() / rowHeight_);
        at.lastRow = std::min(
            at.rows,
            static_cast<std::size_t>((scroll.y() + at.body.height() - 1) / rowHeight_) + 1);
    }
    return at;
}

int TrendView::rowTop(const Layout& at, std::size_t row) const {
    return at.headHeight + static_cast<int>(row) * rowHeight_ - at.scroll.y();
}

int TrendView::cellLeft(const Layout& at, std::size_t block, std::size_t value) const {
    return at.left + static_cast<int>(block) * at.blockWidth +
           static_cast<int>(value) * cellWidth_ - at.scroll.x();
}

void TrendView::rowLine(QPainter& painter, const Layout& at, std::size_t row, int x0,
                        int x1) const {
    const int y = rowTop(at, row) + rowHeight_ - 1;
    painter.setPen((row + 1) % 5 == 0 ? kSeparator : kGrid);
    painter.drawLine(x0, y, x1, y);
}

void TrendView::paintChart(QPainter& painter, QSize size, QPoint scroll) const {
    painter.fillRect(QRect(QPoint(0, 0), size), palette().base());
    painter.setRenderHint(QPainter::Antialiasing);
    const Layout at = layout(size, scroll);
    paintBody(painter, at);
    paintLeftColumns(painter, at);
    paintHead(painter, at);
    paintFooter(painter, at);
}

void TrendView::paintBody(QPainter& painter, const Layout& at) const {
    painter.save();
    painter.setClipRect(at.body);
    for (std::size_t b = 0; b < at.blocks; ++b)
        if (b % 2 == 1)
            painter.fillRect(cellLeft(at, b, 0), at.body.top(), at.blockWidth, at.body.height(),
                             kBlockTint);
    for (std::size_t r = at.firstRow; r < at.lastRow; ++r)
        rowLine(painter, at, r, at.body.left(), at.body.right());
    for (std::size_t b = 0; b < at.blocks; ++b)
        for (std::size_t v = 0; v <= at.values; ++v) {
            const int x = cellLeft(at, b, v) - 1;
            painter.setPen(v == 0 || v == at.values ? kSeparator : kGrid);
            painter.drawLine(x, at.body.top(), x, at.body.bottom());
        }
    if (guideLines_ && at.lastRow > at.firstRow)
        paintGuideLines(painter, at);
    paintCells(painter, at);
    painter.restore();
}

void TrendView::paintGuideLines(QPainter& painter, const Layout& at) const {
    // Lines to the rows just outside the view too, so that they run on at the edges.
    const std::size_t from = at.firstRow > 0 ? at.firstRow - 1 : 0;
    const std::size_t to = std::min(at.rows, at.lastRow + 1);
    for (std::size_t b = 0; b < at.blocks; ++b) {
        QColor colour = placeColour(chart_->blocks[b].place);
        colour.setAlpha(170);
        painter.setPen(QPen(colour, 1.5));
        std::optional<QPointF> previous;
        for (std::size_t r = from; r < to; ++r) {
            const auto hit = positionHit(b, r);
            if (!hit) {
                previous.reset();
                continue;
            }
            const QPointF centre(cellLeft(at, b, *hit) + cellWidth_ / 2.0,
                                 rowTop(at, r) + rowHeight_ / 2.0);
            if (previous)
                painter.drawLine(*previous, centre);
            previous = centre;
        }
    }
}

void TrendView::paintCells(QPainter& painter, const Layout& at) const {
    QFont ballFont = font();
    ballFont.setBold(true);
    ballFont.setPointSizeF(ballFont.pointSizeF() * 0.9);
    const QFontMetrics ballMetrics(ballFont);
    for (std::size_t r = at.firstRow; r < at.lastRow; ++r)
        for (std::size_t b = 0; b < at.blocks; ++b) {
            const QColor colour = placeColour(chart_->blocks[b].place);
            for (std::size_t v = 0; v < at.values; ++v) {
                const QRect cell(cellLeft(at, b, v), rowTop(at, r), cellWidth_, rowHeight_);
                if (cell.right() < at.body.left() || cell.left() > at.body.right())
                    continue;
                const std::int32_t misses = chart_->misses(b, v, r);
                if (misses == 0) {
                    // A ball, drawn out to a pill when its label is wider than the row is high.
                    const QString& label = valueLabels_[static_cast<int>(v)];
                    const int height = rowHeight_ - 2;
                    const int width = std::min(
                        cellWidth_ - 2, std::max(height, ballMetrics.horizontalAdvance(label) + 6));
                    const QRect ball(cell.center().x() - width / 2 + 1, cell.top() + 1, width,
                                     height);
                    painter.setPen(Qt::NoPen);
                    painter.setBrush(colour);
                    painter.drawRoundedRect(ball, height / 2.0, height / 2.0);
                    painter.setPen(Qt::white);
                    painter.setFont(ballFont);
                    painter.drawText(ball, Qt::AlignCenter, label);
                    painter.setFont(font());
                } else if (showMisses_) {
                    painter.setPen(kMiss);
                    painter.drawText(cell, Qt::AlignCenter, QString::number(misses));
                }
            }
        }
}

void TrendView::paintLeftColumns(QPainter& painter, const Layout& at) const {
    painter.save();
    painter.setClipRect(QRect(0, at.headHeight, at.left, at.body.height()));
    for (std::size_t r = at.firstRow; r < at.lastRow; ++r) {
        rowLine(painter, at, r, 0, at.left);
        painter.setPen(palette().text().color());
        painter.drawText(QRect(0, rowTop(at, r), issueWidth_ - 6, rowHeight_),
                         Qt::AlignRight | Qt::AlignVCenter,
                         qs(history::issueText(chart_->issues[r])));
        painter.drawText(QRect(issueWidth_, rowTop(at, r), numbersWidth_, rowHeight_),
                         Qt::AlignCenter, qs(shown_->numbersText(r)));
        if (sideHighestNumber_ > 0) {
            const auto texts = session::trendSideTexts(chart_->numbers[r], sideHighestNumber_);
            for (int k = 0; k < kSideColumnCount; ++k)
                painter.drawText(
                    QRect(sideLeft() + k * sideWidth_, rowTop(at, r), sideWidth_, rowHeight_),
                    Qt::AlignCenter, qs(texts[static_cast<std::size_t>(k)]));
        }
    }
    painter.setPen(kSeparator);
    painter.drawLine(issueWidth_ - 1, at.body.top(), issueWidth_ - 1, at.body.bottom());
    if (at.left > sideLeft())
        painter.drawLine(sideLeft() - 1, at.body.top(), sideLeft() - 1, at.body.bottom());
    painter.drawLine(at.left - 1, at.body.top(), at.left - 1, at.body.bottom());
    painter.restore();
}

void TrendView::paintHead(QPainter& painter, const Layout& at) const {
    const QPen textPen(palette().text().color());
    painter.fillRect(0, 0, at.size.width(), at.headHeight, kHeadBack);
    painter.save();
    painter.setClipRect(QRect(at.left, 0, at.size.width() - at.left, at.headHeight));
    for (std::size_t b = 0; b < at.blocks; ++b) {
        painter.setPen(placeColour(chart_->blocks[b].place));
        painter.drawText(QRect(cellLeft(at, b, 0), 0, at.blockWidth, rowHeight_), Qt::AlignCenter,
                         qs(shown_->blockCaptions[b]));
        painter.setPen(textPen);
        for (std::size_t v = 0; v < at.values; ++v)
            painter.drawText(QRect(cellLeft(at, b, v), rowHeight_, cellWidth_, rowHeight_),
                             Qt::AlignCenter, valueLabels_[static_cast<int>(v)]);
        painter.setPen(kSeparator);
        painter.drawLine(cellLeft(at, b, 0) - 1, 0, cellLeft(at, b, 0) - 1, at.headHeight);
    }
    painter.restore();
    painter.setPen(textPen);
    painter.drawText(QRect(0, 0, issueWidth_, at.headHeight), Qt::AlignCenter,
                     QString::fromUtf8(session::kTrendDrawHeaders[0]));
    painter.drawText(QRect(issueWidth_, 0, numbersWidth_, at.headHeight), Qt::AlignCenter,
                     QString::fromUtf8(session::kTrendDrawHeaders[1]));
    if (at.left > sideLeft())
        for (int k = 0; k < kSideColumnCount; ++k)
            painter.drawText(QRect(sideLeft() + k * sideWidth_, 0, sideWidth_, at.headHeight),
                             Qt::AlignCenter,
                             qs(messages::patternName(analysis::kTrendSidePatterns[k])));
    painter.setPen(kSeparator);
    painter.drawLine(0, at.headHeight - 1, at.size.width(), at.headHeight - 1);
}

void TrendView::paintFooter(QPainter& painter, const Layout& at) const {
    const int height = at.size.height() - at.footTop;
    painter.fillRect(0, at.footTop, at.size.width(), height, kHeadBack);
    painter.setPen(kSeparator);
    painter.drawLine(0, at.footTop, at.size.width(), at.footTop);
    for (int f = 0; f < kFooterRows; ++f) {
        const int y = at.footTop + f * rowHeight_;
        painter.setPen(palette().text().color());
        painter.drawText(
            QRect(0, y, at.left, rowHeight_), Qt::AlignCenter,
            qs(session::overviewHeader(session::kTrendFooter[f], analysis::SearchType::Number)));
        painter.save();
        painter.setClipRect(QRect(at.left, at.footTop, at.size.width() - at.left, height));
        for (std::size_t b = 0; b < at.blocks; ++b)
            for (std::size_t v = 0; v < at.values; ++v)
                painter.drawText(QRect(cellLeft(at, b, v), y, cellWidth_, rowHeight_),
                                 Qt::AlignCenter, footerText(f, b, v));
        painter.restore();
    }
}

} // namespace yilou::app
