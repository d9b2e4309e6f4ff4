#pragma once
#include "platform/ILinearGauge.h"

#include <QWidget>

// A vertical linear gauge painted with QPainter: a coloured section band
// along the scale, major and minor ticks with labels, and a pointer.
// The labels take the room they need (the band and ticks narrow on a narrow
// gauge); a position beyond either end shows as an arrow at that end; the
// scale numbers are drawn readable on the background in any scale colour.
// Every setter repaints, except between BeginUpdate and EndUpdate, where
// all changes are shown by one repaint at the outermost EndUpdate.
// The accessible description carries the present position.
class LinearGauge final : public QWidget, public ILinearGauge {
    Q_OBJECT
public:
    explicit LinearGauge(QWidget* parent = nullptr);

    void SetPositionMin(double v) override;
    double PositionMin() const override { return positionMin_; }
    void SetPositionMax(double v) override;
    double PositionMax() const override { return positionMax_; }
    void SetPosition(double v) override;
    double Position() const override { return position_; }

    void SetTickMajorCount(int n) override;
    int TickMajorCount() const override { return tickMajorCount_; }
    void SetTickMinorCount(int n) override;
    int TickMinorCount() const override { return tickMinorCount_; }

    void SetSectionCount(int n) override;
    int SectionCount() const override { return sectionCount_; }
    void SetSectionEnd(int index, double v) override;
    double SectionEnd(int index) const override;
    void SetSectionColor(int index, uint32_t colour) override;
    uint32_t SectionColor(int index) const override;

    void SetScaleColor(uint32_t colour) override;
    uint32_t ScaleColor() const override { return scaleColor_; }
    void SetPointerStyle(int style) override;
    int PointerStyle() const override { return pointerStyle_; }
    void SetTickMajorColor(uint32_t colour) override;
    void SetTickMinorColor(uint32_t colour) override;
    void SetScaleLineColor(uint32_t colour) override;
    uint32_t TickMajorColor() const override { return tickMajorColor_; }
    uint32_t TickMinorColor() const override { return tickMinorColor_; }
    uint32_t ScaleLineColor() const override { return scaleLineColor_; }

    void SetPointerColor(uint32_t colour) override;
    uint32_t PointerColor(int index) const override;

    void SetVisible(bool visible) override;
    bool IsVisible() const override;

    void BeginUpdate() override;
    void EndUpdate() override;

    void SetBackgroundColor(uint32_t colour);
    // A short note at the gauge's foot, just above its readout (where the
    // shown value is heading: "Pre-alarm in ~23 d"), in a colour; it takes
    // up to two lines, and the scale ends above them. Empty: none.
    void setFootnote(const QString& text, uint32_t colour);
    QString footnote() const { return footnote_; }
    // The area the footnote is drawn in; empty without one.
    QRect footnoteRect() const;

    // Pixel row of a scale value inside the present widget height; the band,
    // ticks and pointer are drawn along these rows (used by tests too).
    int rowOf(double value) const;
    // Horizontal extent of the section band.
    int bandLeft() const;
    int bandRight() const;
    // Whether every scale label has room for its whole number, and where the
    // number of major tick m (0 at the scale's floor) is drawn.
    bool labelsFit() const;
    QRect tickLabelRect(int major) const;
    // 1 when the position lies above the scale, -1 below it, else 0; the
    // pointer is then an arrow at that end of the scale.
    int offScale() const;
    // The colour the scale numbers are drawn in for a scale colour.
    static uint32_t labelColourOf(uint32_t scaleColour, uint32_t background);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Lengths across the gauge, in pixels, left to right after the pointer.
    struct Geometry {
        int band = 10;
        int majorTick = 8;
        int minorTick = 4;
        int gap = 3;
    };
    Geometry geometry() const;
    int widestLabel() const;
    void changed();
    void drawSections(QPainter& p) const;
    void drawTicks(QPainter& p) const;
    void drawPointer(QPainter& p) const;
    void drawFootnote(QPainter& p) const;
    QFont footnoteFont() const;
    int scaleTop() const;
    int scaleBottom() const;

    double positionMin_ = 0.0;
    double positionMax_ = 1200.0;
    double position_ = 0.0;
    int tickMajorCount_ = 11;
    int tickMinorCount_ = 6;
    int sectionCount_ = 1;
    double sectionEnd_[5] = {};         // [1..4]
    uint32_t sectionColor_[6] = {};     // [1..5]
    uint32_t scaleColor_ = 0x000000;
    int pointerStyle_ = 0;
    uint32_t tickMajorColor_ = 0x000000;
    uint32_t tickMinorColor_ = 0x000000;
    uint32_t scaleLineColor_ = 0x000000;
    uint32_t pointerColor_ = 0x0000FF;
    uint32_t backgroundColor_ = 0xFFFFFF;
    QString footnote_;
    uint32_t footnoteColour_ = 0;
    int updateDepth_ = 0;
    bool pendingRepaint_ = false;
};
