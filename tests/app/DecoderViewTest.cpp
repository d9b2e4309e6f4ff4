#include "app/DecoderView.h"

#include "display/MainControls.h"
#include "link/RecordDecoder.h"

#include <gtest/gtest.h>

namespace {
const QByteArray ShortForm(":001E0226001900C800EB0021\r\n");

DecodedRecord received(const QByteArray& line)
{
    DecodedRecord record;
    record.received = line;
    return record;
}
} // namespace

TEST(DecoderView, ExtendedMessagesFollowOnlyWhileRecordingAndEmptyAt60001)
{
    MainControls controls;
    DecoderView view(controls);
    int caret = -1;
    QObject::connect(&view, &DecoderView::extendedMessagesChanged, [&](const QString&, int c) { caret = c; });
    view.showLine(received(ShortForm));
    EXPECT_TRUE(view.extended.text.isEmpty());

    view.recording = true;
    view.extended.text = QString(60000 - ShortForm.size(), 'x');
    view.showLine(received(ShortForm));
    EXPECT_EQ(view.extended.text.size(), 60000);
    EXPECT_EQ(caret, 60000);

    view.extended.text = QString(60001 - ShortForm.size(), 'x');
    view.showLine(received(ShortForm));
    EXPECT_TRUE(view.extended.text.isEmpty());
    EXPECT_EQ(caret, 0);

    view.showLine(received(ShortForm));
    EXPECT_EQ(view.extended.text, QString::fromLatin1(ShortForm));
}
