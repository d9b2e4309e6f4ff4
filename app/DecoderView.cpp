#include "app/DecoderView.h"

#include "display/MainControls.h"
#include "display/GaugeSetup.h"

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
    GaugeSetup::greyOutSensor(c_, index, true);
}

void DecoderView::showBadLineCount(int count)
{
    if (onBadLineCount)
        onBadLineCount(count);
}
