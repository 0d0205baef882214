#include "WrappingCheckBox.h"

#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace {

constexpr int captionFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;

} // namespace

WrappingCheckBox::WrappingCheckBox(const QString &text, QWidget *parent)
    : QCheckBox(text, parent)
{
}

QRect WrappingCheckBox::captionRect() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this);
}

QSize WrappingCheckBox::sizeHint() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const int available = width() > 0 ? captionRect().width() : QWIDGETSIZE_MAX;
    // A word longer than the line still needs its full width; boundingRect
    // reports it, so the hint then exceeds the box.
    const QRect caption = fontMetrics().boundingRect(QRect(0, 0, qMax(available, 1), QWIDGETSIZE_MAX),
                                                     captionFlags, text());
    return style()->sizeFromContents(QStyle::CT_CheckBox, &option, caption.size(), this);
}

void WrappingCheckBox::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);

    QStyleOptionButton indicator = option;
    indicator.rect = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, indicator);

    const QRect caption = captionRect();
    painter.drawItemText(caption, captionFlags, option.palette, isEnabled(), text(), QPalette::WindowText);

    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = fontMetrics().boundingRect(caption, captionFlags, text()).adjusted(-1, 0, 1, 0) & rect();
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool WrappingCheckBox::hitButton(const QPoint &pos) const
{
    // The wrapped caption lies outside the single-line click area the style
    // would compute, so the whole box answers clicks.
    return rect().contains(pos);
}
