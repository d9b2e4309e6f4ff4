#pragma once
// Recording fakes of the chart and the gauge.
#include "platform/ILinearGauge.h"
#include "chart/IStripChart.h"

#include <QString>
#include <QStringList>
#include <cmath>
#include <map>
#include <vector>

class RecordingChart final : public IStripChart {
public:
    struct Channel {
        QString title;
        uint32_t colour;
        int valueIndex;
        int lineWidth;
        bool visible = true;
    };
    struct Row {
        double x = 0;
        bool now = false; // added by AddRowNow
        std::map<int, double> values;
    };

    void AddChannel(const QString& title, uint32_t colour, int valueIndex, int lineWidth) override
    {
        channels.push_back({title, colour, valueIndex, lineWidth});
        calls << QStringLiteral("AddChannel");
    }
    void ClearChannels() override { channels.clear(); calls << QStringLiteral("ClearChannels"); }
    void ClearData() override { rows.clear(); calls << QStringLiteral("ClearData"); }
    int ChannelCount() const override { return int(channels.size()); }
    void SetChannelVisible(int channel, bool visible) override
    {
        if (channel >= 0 && channel < ChannelCount())
            channels[channel].visible = visible;
    }
    bool ChannelVisible(int channel) const override
    {
        return channel >= 0 && channel < ChannelCount() && channels[channel].visible;
    }
    void BeginRow() override { inRow = true; calls << QStringLiteral("BeginRow"); }
    void AddRowNow() override { rows.push_back({nowX, true, {}}); calls << QStringLiteral("AddRowNow"); }
    void AddRowAt(double x) override { rows.push_back({x, false, {}}); calls << QStringLiteral("AddRowAt"); }
    void SetChannelValue(int channel, int row, double value) override
    {
        lastRowArgument = row;
        if (!rows.empty())
            rows.back().values[channel] = value;
    }
    void EndRow() override { inRow = false; calls << QStringLiteral("EndRow"); }
    int64_t RowCount() const override { return int64_t(rows.size()); }
    void SetBufferSize(int64_t n) override { bufferSize = n; }
    int64_t BufferSize() const override { return bufferSize; }
    void SetAutoRowDrop(bool d) override { autoRowDrop = d; }
    void SetYAxisRange(double mn, double mx) override { yMin = mn; yMax = mx; }
    void SetYAxisTickMajorCount(int n) override { yMajor = n; }
    void SetYAxisTickMinorCount(int n) override { yMinor = n; }
    void SetXAxisSpan(double d) override { xSpan = d; }
    double XAxisSpan() const override { return xSpan; }
    void SetXAxisOffset(double d) override { xOffset = d; }
    int64_t CursorIndex() const override { return cursorIndex; }
    double ChannelValueAt(int64_t index, int channel) const override
    {
        if (index < 0 || index >= RowCount())
            return std::nan("");
        const auto& values = rows[size_t(index)].values;
        const auto it = values.find(channel);
        return it == values.end() ? std::nan("") : it->second;
    }
    double XValueAt(int64_t index) const override
    {
        return index >= 0 && index < RowCount() ? rows[size_t(index)].x : 0.0;
    }
    void ToggleCursor() override { cursorShown = !cursorShown; }
    void AddPrinterComment(const QString& t) override { printerComments << t; }
    void ClearPrinterComments() override { printerComments.clear(); }
    void SetPrinterCommentFont(const QFont&) override {}
    void SetPrinterMargins(double l, double r, double t, double b) override { margins = {l, r, t, b}; }
    void SetPrintOrientation(int o) override { orientation = o; }
    void SetPrintShowDialog(bool s) override { printShowDialog = s; }
    bool PrintChart() override { printed.push_back(printerComments); return printSucceeds; }

    // Visible channel numbers, for compact assertions.
    std::vector<int> visibleChannels() const
    {
        std::vector<int> v;
        for (int i = 0; i < ChannelCount(); ++i)
            if (channels[i].visible)
                v.push_back(i);
        return v;
    }

    std::vector<Channel> channels;
    std::vector<Row> rows;
    QStringList calls;
    QStringList printerComments;
    std::vector<QStringList> printed;
    bool printSucceeds = true;
    bool inRow = false;
    bool autoRowDrop = false;
    bool cursorShown = true;
    int lastRowArgument = 0;
    int64_t bufferSize = 0;
    int64_t cursorIndex = -1;
    double nowX = 0;
    double yMin = 0, yMax = 0;
    int yMajor = 0, yMinor = 0;
    double xSpan = 0, xOffset = 0;
    std::vector<double> margins;
    int orientation = 0;
    bool printShowDialog = false;
};

class FakeGauge final : public ILinearGauge {
public:
    void SetPositionMin(double v) override { positionMin = v; }
    double PositionMin() const override { return positionMin; }
    void SetPositionMax(double v) override { positionMax = v; }
    double PositionMax() const override { return positionMax; }
    void SetPosition(double v) override { position = v; positionInsideUpdate = updating; }
    double Position() const override { return position; }
    void SetTickMajorCount(int n) override { tickMajor = n; }
    int TickMajorCount() const override { return tickMajor; }
    void SetTickMinorCount(int n) override { tickMinor = n; }
    int TickMinorCount() const override { return tickMinor; }
    void SetSectionCount(int n) override { sectionCount = n; }
    int SectionCount() const override { return sectionCount; }
    void SetSectionEnd(int i, double v) override { if (i >= 1 && i <= 4) sectionEnd[i] = v; }
    double SectionEnd(int i) const override { return i >= 1 && i <= 4 ? sectionEnd[i] : 0.0; }
    void SetSectionColor(int i, uint32_t c) override { if (i >= 1 && i <= 5) sectionColor[i] = c; }
    uint32_t SectionColor(int i) const override { return i >= 1 && i <= 5 ? sectionColor[i] : 0; }
    void SetScaleColor(uint32_t c) override { scaleColor = c; }
    uint32_t ScaleColor() const override { return scaleColor; }
    void SetPointerStyle(int s) override { pointerStyle = s; }
    int PointerStyle() const override { return pointerStyle; }
    void SetTickMajorColor(uint32_t c) override { tickMajorColor = c; }
    void SetTickMinorColor(uint32_t c) override { tickMinorColor = c; }
    void SetScaleLineColor(uint32_t c) override { scaleLineColor = c; }
    uint32_t TickMajorColor() const override { return tickMajorColor; }
    uint32_t TickMinorColor() const override { return tickMinorColor; }
    uint32_t ScaleLineColor() const override { return scaleLineColor; }
    void SetPointerColor(uint32_t c) override { pointerColor = c; }
    uint32_t PointerColor(int index) const override { return index == 0 ? pointerColor : 0; }
    void SetVisible(bool v) override { visible = v; }
    bool IsVisible() const override { return visible; }
    void BeginUpdate() override { updating = true; ++beginUpdates; }
    void EndUpdate() override { updating = false; ++endUpdates; }

    double positionMin = 0, positionMax = 1200, position = 0;
    int tickMajor = 11, tickMinor = 6;
    int sectionCount = 1;
    double sectionEnd[5] = {};
    uint32_t sectionColor[6] = {0, 0xC0C0C0, 0, 0, 0, 0};
    uint32_t scaleColor = 0, tickMajorColor = 0, tickMinorColor = 0, scaleLineColor = 0;
    int pointerStyle = 0;
    uint32_t pointerColor = 0xFFFF00;
    bool visible = true;
    bool updating = false;
    bool positionInsideUpdate = false;
    int beginUpdates = 0, endUpdates = 0;
};
