#include "UpDownSpinner.h"

#include "rules/InputRules.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

namespace {

QToolButton *arrowButton(QWidget *parent, const QString &name, Qt::ArrowType arrow)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    return button;
}

} // namespace

UpDownSpinner::UpDownSpinner(const QString &name, QWidget *parent)
    : QWidget(parent)
    , m_up(arrowButton(this, name + QLatin1String("Up"), Qt::UpArrow))
    , m_down(arrowButton(this, name + QLatin1String("Down"), Qt::DownArrow))
{
    setObjectName(name);
    // One tab stop for the pair: the up arrow takes the focus, and the arrow
    // keys step while it has it.
    m_up->setFocusPolicy(Qt::TabFocus);
    m_down->setFocusPolicy(Qt::NoFocus);
    setFocusPolicy(Qt::TabFocus);
    setFocusProxy(m_up);
    m_up->installEventFilter(this);
    connect(m_up, &QToolButton::clicked, this, [this] { emit stepped(+1); });
    connect(m_down, &QToolButton::clicked, this, [this] { emit stepped(-1); });
}

void UpDownSpinner::stepField(QLineEdit *field, int maximum)
{
    connect(this, &UpDownSpinner::stepped, field,
            [field, maximum](int step) { field->setText(spinValue(field->text(), step, maximum)); });
}

void UpDownSpinner::nameArrowsAfter(const QString &subject)
{
    // The pair itself takes the focus too (handing it to the up arrow), so a
    // screen reader lists it as a control of its own.
    setAccessibleName(subject + QLatin1String(" arrows"));
    m_up->setAccessibleName(subject + QLatin1String(" up"));
    m_down->setAccessibleName(subject + QLatin1String(" down"));
    // The up arrow is the pair's one tab stop and steps both ways.
    m_up->setAccessibleDescription(QStringLiteral("The Up and Down arrow keys step the value."));
}

void UpDownSpinner::resizeEvent(QResizeEvent *)
{
    const int upper = height() / 2;
    m_up->setGeometry(0, 0, width(), upper);
    m_down->setGeometry(0, upper, width(), height() - upper);
}

bool UpDownSpinner::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_up && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            emit stepped(key == Qt::Key_Up ? +1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
