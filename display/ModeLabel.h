#pragma once
#include "core/Colours.h"
#include "chart/Colour.h"

#include <QLabel>

// The mode label Lbl_mode: "logging mode" in black, "file mode" in red (a
// red dark enough to read on the window). The colour goes through the
// palette, which nothing else overrides.
inline void showMode(QLabel* label, bool fileMode)
{
    if (!label)
        return;
    setReadableTextColour(*label, fileMode ? Colours::Red : Colours::Black);
    label->setText(fileMode ? QStringLiteral("file mode") : QStringLiteral("logging mode"));
}
