#pragma once

#include <QIcon>
#include <QPixmap>

// The tool's icon, painted in code: the banner's road sign in small, a dark
// plate with an orange band and a white "K" standing for configuring the
// server. Painted at the size asked for, so it is sharp at every scale.
QIcon toolIcon();

// The icon as a pixmap of `size` device-independent pixels square, painted
// at `devicePixelRatio` device pixels per pixel.
QPixmap toolIconPixmap(int size, qreal devicePixelRatio);
