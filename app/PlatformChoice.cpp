#include "PlatformChoice.h"

QByteArray PreferredPlatform(const QByteArray &userPlatform, const QByteArray &waylandDisplay,
                             const QByteArray &display) {
    if (!userPlatform.isEmpty() || waylandDisplay.isEmpty() || display.isEmpty())
        return {};
    return QByteArrayLiteral("xcb;wayland");
}
