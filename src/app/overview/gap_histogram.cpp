#include "app/overview/gap_histogram.h"

#include <QPainter>
#include <algorithm>

namespace yilou::app {

namespace {

constexpr int kMargin = 8;

QFont smaller(QFont font) {
    font.setPointSizeF(font.pointSizeF() * 0.85);
    return font;
}

} // namespace

GapHistogram::GapHistogram(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

void GapHistogram::setHistogram(const QString& title, const Counts& counts) {
    title_ = title;
    counts_ = counts;
    update();
}

void GapHistogram::clear() {
    setHistogram({}, {});
}

int GapHistogram::pitch() const {
    // The bars share the width, the label of the last one reaching into the right margin.
    return std::max(1,
                    (width() - 2 * kMargin - narrowestPitch()) / static_cast<int>(counts_.size()));
}

int GapHistogram::narrowestPitch() const {
    return QFontMetrics(smaller(font())).horizontalAdvance(QStringLiteral("00")) + 4;
}

QSize GapHistogram::sizeHint() const {
    return {2 * kMargin + narrowestPitch() * static_cast<int>(counts_.size() + 1), 240};
}

QSize GapHistogram::minimumSizeHint() const {
    return {sizeHint().width(), 8 * fontMetrics().height()};
}

void GapHistogram::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    const QFontMetrics titleMetrics(font());
    painter.setPen(palette().text().color());
    painter.drawText(QRect(kMargin, kMargin / 2, width() - 2 * kMargin, titleMetrics.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, title_);

    const QFont small = smaller(font());
    const QFontMetrics metrics(small);
    painter.setFont(small);
    const int step = pitch();
    const int tallest = std::max(1, *std::max_element(counts_.begin(), counts_.end()));
    // The counts stand upright above their bars, so that wide counts keep the bars narrow.
    const int top = kMargin / 2 + titleMetrics.height() +
                    metrics.horizontalAdvance(QString::number(tallest)) + 4;
    const int axis = height() - kMargin / 2 - metrics.height() - 2;
    const int span = std::max(1, axis - top);
    painter.setPen(palette().mid().color());
    painter.drawLine(kMargin, axis, kMargin + step * static_cast<int>(counts_.size()), axis);
    for (std::size_t g = 0; g < counts_.size(); ++g) {
        const int x = kMargin + step * static_cast<int>(g);
        const int barHeight = static_cast<int>(static_cast<long long>(counts_[g]) * span / tallest);
        const QRect bar(x + 2, axis - barHeight, step - 4, barHeight);
        painter.fillRect(bar, g + 1 == counts_.size() ? QColor(0x8e, 0x44, 0xad)
                                                      : QColor(0x2e, 0x6d, 0xb4));
        painter.setPen(palette().text().color());
        if (!title_.isEmpty()) {
            painter.save();
            painter.translate(x + step / 2, bar.top() - 2);
            painter.rotate(-90);
            painter.drawText(QRect(0, -metrics.height() / 2, span, metrics.height()),
                             Qt::AlignLeft | Qt::AlignVCenter, QString::number(counts_[g]));
            painter.restore();
        }
        if (g + 1 == counts_.size())
            painter.drawText(QRect(x + 1, axis + 2, 2 * step, metrics.height()), Qt::AlignLeft,
                             QStringLiteral(">%1").arg(analysis::kHistogramLengths));
        else
            painter.drawText(QRect(x - 2, axis + 2, step + 4, metrics.height()), Qt::AlignHCenter,
                             QString::number(g + 1));
    }
}

} // namespace yilou::app
