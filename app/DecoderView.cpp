#include "app/DecoderView.h"

#include "display/MainControls.h"
#include "link/SensorGreying.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>

void DecoderView::showLatestLine(const QString& line)
{
    if (c_.TextMessages)
        c_.TextMessages->setPlainText(line.trimmed());
}

void DecoderView::setExtendedMessages(const QString& text, int caret)
{
    extended.text = text;
    extended.caret = caret;
    if (onExtendedMessages)
        onExtendedMessages(text, caret);
}

void DecoderView::showEvaluatorMenu()
{
    if (c_.MenueEva)
        c_.MenueEva->menuAction()->setVisible(true);
}

void DecoderView::greyOutSensor(int index)
{
    if (index < 0 || index > 5)
        return;
    greyOutSensorControls(c_.iLinearGaugeX1[index], c_.TextGauge[index], c_.Label3[index], c_.CheckShow[index + 1],
                          c_.Lbl_sname[index]);
}

void DecoderView::showBadLineCount(int count)
{
    if (onBadLineCount)
        onBadLineCount(count);
}
