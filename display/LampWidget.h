#pragma once
#include "platform/ILamp.h"

#include <QWidget>

// An on/off lamp painted with QPainter: lit in ActiveColor with a soft glow,
// unlit in InactiveColor. The accessible description is "lit" or "unlit".
class LampWidget : public QWidget, public ILamp {
    Q_OBJECT
public:
    enum class Shape { Round, Rectangle };

    explicit LampWidget(Shape shape, QWidget* parent = nullptr);

    void SetActive(bool active) override;
    bool Active() const override { return active_; }
    void SetActiveColor(uint32_t colour) override;
    uint32_t ActiveColor() const override { return activeColor_; }
    void SetInactiveColor(uint32_t colour) override;
    uint32_t InactiveColor() const override { return inactiveColor_; }
    void SetVisible(bool visible) override;
    bool IsVisible() const override;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Shape shape_;
    bool active_ = false;
    uint32_t activeColor_ = 0x00FF00;
    uint32_t inactiveColor_ = 0x004000;
};

// The round lamp (relay lamps).
class LedRound final : public LampWidget {
public:
    explicit LedRound(QWidget* parent = nullptr) : LampWidget(Shape::Round, parent) {}
};

// The rectangular lamp (per-sensor lamps, sensor colour lamps, legends).
class LedRectangle final : public LampWidget {
public:
    explicit LedRectangle(QWidget* parent = nullptr) : LampWidget(Shape::Rectangle, parent) {}
};
