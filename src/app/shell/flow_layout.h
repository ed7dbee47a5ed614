#pragma once

#include <QLayout>
#include <QList>

namespace yilou::app {

/// Lays its widgets out left to right at their preferred sizes and starts a new row where the
/// next one would not fit, so that a row of frames stays whole on a narrow window.
class FlowLayout : public QLayout {
public:
    explicit FlowLayout(QWidget* parent = nullptr);
    ~FlowLayout() override;

    void addItem(QLayoutItem* item) override;
    int count() const override { return static_cast<int>(items_.size()); }
    QLayoutItem* itemAt(int index) const override { return items_.value(index); }
    QLayoutItem* takeAt(int index) override;

    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return place(QRect(0, 0, width, 0), false); }
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect& rect) override;

private:
    /// Places the items in `rect` (only measures when `apply` is false); the height used.
    int place(const QRect& rect, bool apply) const;

    QList<QLayoutItem*> items_;
};

} // namespace yilou::app
