#include "NoticeLabel.h"

#include <QEvent>

#include <algorithm>
#include <cmath>

namespace {

// The relative luminance of an opaque colour, as the WCAG defines it.
double luminance(const QColor &colour)
{
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}

// The contrast ratio of two opaque colours, 1 to 21.
double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor mixed(const QColor &text, const QColor &ground, double towardsGround)
{
    const auto channel = [towardsGround](int from, int to) {
        return int(std::lround(from + (to - from) * towardsGround));
    };
    return QColor(channel(text.red(), ground.red()), channel(text.green(), ground.green()),
                  channel(text.blue(), ground.blue()));
}

// Readable text for small print, as the WCAG asks of body text.
constexpr double readableContrast = 4.5;
// Never further towards the ground than this, however strong the contrast.
constexpr double mostMuted = 0.5;

QColor mutedColour(const QColor &text, const QColor &ground)
{
    for (int step = 50; step > 0; --step) {
        const QColor candidate = mixed(text, ground, mostMuted * step / 50);
        if (contrast(candidate, ground) >= readableContrast)
            return candidate;
    }
    return text; // the theme's own text is as readable as this label can be
}

} // namespace

NoticeLabel::NoticeLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    followPalette();
}

void NoticeLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange && !m_following)
        followPalette();
    QLabel::changeEvent(event);
}

void NoticeLabel::followPalette()
{
    // The window's colours, not our own: ours carries the muted colour.
    const QPalette window = parentWidget() ? parentWidget()->palette() : palette();
    QPalette own = palette();
    own.setColor(QPalette::WindowText,
                 mutedColour(window.color(QPalette::WindowText), own.color(QPalette::Window)));
    m_following = true;
    setPalette(own);
    m_following = false;
}
