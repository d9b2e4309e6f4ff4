#pragma once
#include <QString>
#include <optional>

// A serial device the user may not open, and the group that owns it.
struct SerialAccessDenied {
    QString device;
    QString group;
};

// Whether the user lacks read permission for device (a link is followed);
// nullopt when it may be read or does not exist.
std::optional<SerialAccessDenied> serialAccessDenied(const QString& device);

// The line added to a "port not available" message: that the user may not
// use the device, and how to fix it. Serial adapters belong to the group
// dialout on Debian; another group the device names is used instead.
QString serialAccessHint(const SerialAccessDenied& denied);
