#include "LayoutCheck.h"

#include <QAbstractButton>
#include <QLabel>
#include <QWidget>

namespace {

QString describe(const QWidget *widget)
{
    return QStringLiteral("%1: hint %2x%3 > geometry %4x%5")
        .arg(widget->objectName())
        .arg(widget->sizeHint().width())
        .arg(widget->sizeHint().height())
        .arg(widget->width())
        .arg(widget->height());
}

bool clipped(const QWidget *widget)
{
    const QSize hint = widget->sizeHint();
    return hint.width() > widget->width() || hint.height() > widget->height();
}

} // namespace

QStringList clippedCaptions(QWidget *window)
{
    QStringList result;
    for (QAbstractButton *button : window->findChildren<QAbstractButton *>()) {
        if (!button->text().isEmpty() && clipped(button))
            result << describe(button);
    }
    for (QLabel *label : window->findChildren<QLabel *>()) {
        if (!label->wordWrap() && !label->text().isEmpty() && clipped(label))
            result << describe(label);
    }
    return result;
}
