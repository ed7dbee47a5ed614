#include "app/history/history_entry_panel.h"

#include "app/dialogs/prompts.h"
#include "app/shell/control_names.h"
#include "session/messages.h"
#include "session/typed_input.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <functional>

namespace yilou::app {

namespace {

/// A two-digit box with the mask "##". A digit goes where the typing rule puts it, not where
/// the click left the cursor: clicked in the middle of an empty box, the mask would take the
/// first digit as the second and drop the others.
class DrawNumberBox : public QLineEdit {
public:
    explicit DrawNumberBox(std::function<void()> onEnter) : onEnter_(std::move(onEnter)) {}

protected:
    void focusInEvent(QFocusEvent* event) override {
        fresh_ = true;
        QLineEdit::focusInEvent(event);
    }
    void mousePressEvent(QMouseEvent* event) override {
        fresh_ = true;
        QLineEdit::mousePressEvent(event);
    }
    void keyPressEvent(QKeyEvent* event) override {
        const QString typed = event->text();
        const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (plain && typed.size() == 1 && typed[0] >= QLatin1Char('0') &&
            typed[0] <= QLatin1Char('9')) {
            const auto box =
                session::typeDrawDigit(text().toStdString(), fresh_, typed[0].toLatin1());
            fresh_ = false;
            setText(qs(box.digits)); // the window moves on or stores from the change
            if (hasFocus())
                setCursorPosition(static_cast<int>(box.digits.size()));
            return;
        }
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            onEnter_();
            return;
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Home:
        case Qt::Key_End:
            fresh_ = false; // editing inside the box: the next digit follows what is left
            break;
        default:
            break;
        }
        QLineEdit::keyPressEvent(event);
    }

private:
    std::function<void()> onEnter_;
    bool fresh_ = true;
};

} // namespace

HistoryEntryPanel::HistoryEntryPanel(QWidget* parent) : QWidget(parent) {
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Text1 = makeNamed<QLineEdit>(QStringLiteral("Text1"), QStringLiteral("2007001"));
    Text1->setToolTip(QStringLiteral("下一期的期号，可修改"));
    Label12 = makeNamed<QLabel>(arrayName("Label12", 1),
                                QStringLiteral("在下面输入    2007001 期历史号码:"));
    layout->addWidget(new QLabel(QStringLiteral("下一期")), 0, 0);
    layout->addWidget(Text1, 0, 1);
    layout->addWidget(Label12, 1, 0, 1, 2);
    // The label names the issue the draw goes under, as proposed or as the user edits it.
    connect(Text1, &QLineEdit::textChanged, this, [this](const QString& issue) {
        Label12->setText(qs(messages::typeNextDraw(issue.trimmed().toStdString())));
    });

    auto* boxes = new QHBoxLayout;
    for (int i = 1; i <= 5; ++i) {
        auto* box = new DrawNumberBox([this, i] { emit enterPressed(i); });
        box->setObjectName(arrayName("MaskEdBox1", i));
        box->setInputMask(QStringLiteral("99;_"));
        box->setToolTip(QStringLiteral("在此补充输入最新历史号码"));
        box->setAlignment(Qt::AlignCenter);
        box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 16);
        MaskEdBox1[i] = box;
        boxes->addWidget(box);
    }
    boxes->addStretch();
    layout->addLayout(boxes, 2, 0, 1, 2);
}

} // namespace yilou::app
