#pragma once
#include <QString>

// Fixed texts shown by the main window and its information windows.
namespace AppTexts {
inline const QString Version = QStringLiteral("Version 1.03_1");
inline const QString BuildDate = QStringLiteral("  22/01/2026");
inline const QString ProductName = QStringLiteral("VELTRA Data Logger");
inline const QString OwnerNotice = QStringLiteral("(c) VELTRA Condition Monitoring. All rights reserved.");
inline const QString AuthorText = QStringLiteral("VELTRA development team");
} // namespace AppTexts
