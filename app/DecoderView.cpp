#include "app/DecoderView.h"

#include "display/GaugeSetup.h"
#include "display/MainControls.h"
#include "link/RecordDecoder.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>

void DecoderView::showLine(const DecodedRecord& record)
{
    const QString line = QString::fromLatin1(record.received);
    if (c_.TextMessages)
        c_.TextMessages->setPlainText(line.trimmed());
    if (!recording)
        return;
    extended = ExtendedMessagesText::appended(extended.text, line);
    emit extendedMessagesChanged(extended.text, extended.caret);
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
