#pragma once
#include "core/Version.h"

#include <QString>

// Fixed texts shown by the main window and its information windows.
namespace AppTexts {
inline const QString Version = QString::fromLatin1(::Version::Text);
inline const QString BuildDate = QString::fromLatin1(::Version::BuildDate);
inline const QString ProductName = QStringLiteral("VELTRA Data Logger");
inline const QString OwnerNotice = QStringLiteral("(c) VELTRA Condition Monitoring. All rights reserved.");
inline const QString AuthorText = QStringLiteral("VELTRA development team");
} // namespace AppTexts
