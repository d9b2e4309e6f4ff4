#pragma once
#include "core/Colours.h"
#include "platform/Colour.h"

#include <QLabel>

// The mode label Lbl_mode: "logging mode" in black, "file mode" in red.
// The colour goes through the palette, which nothing else overrides.
inline void showMode(QLabel* label, bool fileMode)
{
    if (!label)
        return;
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, toQColor(fileMode ? Colours::Red : Colours::Black));
    label->setPalette(palette);
    label->setText(fileMode ? QStringLiteral("file mode") : QStringLiteral("logging mode"));
}
