#pragma once
#include "platform/IScreen.h"

// The primary screen, as Qt reports it.
class QtScreen final : public IScreen {
public:
    QSize availableSizePx() const override;
    double logicalDpi() const override;
};
