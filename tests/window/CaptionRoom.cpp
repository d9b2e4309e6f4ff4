#include "window/CaptionRoom.h"

#include "display/ElidedLabel.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QTabBar>

namespace {

struct Room {
    QString text;
    int needs = 0;
    int has = 0;
};

int textWidth(const QWidget& w, const QString& text)
{
    return w.fontMetrics().horizontalAdvance(QString(text).remove(QLatin1Char('&')));
}

bool plainLabel(const QLabel& label)
{
    return !label.wordWrap() && !label.text().isEmpty() && label.pixmap().isNull() && label.textFormat() != Qt::RichText;
}

bool roomOf(const QWidget& w, Room& room)
{
    room.has = w.width();
    if (const auto* name = qobject_cast<const ElidedLabel*>(&w)) {
        // Cut on purpose, and whole in the tool tip.
        room.text = name->text();
        room.needs = name->elided() && !name->toolTip().contains(name->text()) ? w.width() + 1 : 0;
        return plainLabel(*name);
    }
    if (const auto* label = qobject_cast<const QLabel*>(&w)) {
        if (!plainLabel(*label))
            return false;
        room.text = label->text();
        room.needs = label->sizeHint().width();
        return true;
    }
    if (qobject_cast<const QRadioButton*>(&w) || qobject_cast<const QCheckBox*>(&w)) {
        const auto& button = static_cast<const QAbstractButton&>(w);
        room.text = button.text();
        room.needs = button.sizeHint().width();
        return !room.text.isEmpty();
    }
    if (const auto* button = qobject_cast<const QPushButton*>(&w)) {
        room.text = button->text();
        room.needs = textWidth(w, room.text) + 6; // the frame and a pixel either side
        return !room.text.isEmpty();
    }
    if (const auto* group = qobject_cast<const QGroupBox*>(&w)) {
        room.text = group->title();
        room.needs = textWidth(w, room.text) + 8;
        return !room.text.isEmpty();
    }
    if (const auto* edit = qobject_cast<const QLineEdit*>(&w)) {
        room.text = edit->text();
        const QMargins m = edit->textMargins();
        room.needs = textWidth(w, room.text) + m.left() + m.right() + 2 * w.style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 4;
        return !room.text.isEmpty() && edit->isReadOnly();
    }
    return false;
}

QStyleOptionButton buttonOption(const QAbstractButton& button)
{
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    option.icon = button.icon();
    option.iconSize = button.iconSize();
    return option;
}

} // namespace

QRect captionRect(const QWidget& w)
{
    const QFontMetrics fm = w.fontMetrics();
    const auto textBox = [&](const QRect& room, int alignment, const QString& text) {
        return w.style()->itemTextRect(fm, room, alignment | Qt::TextShowMnemonic, w.isEnabled(), text);
    };
    if (const auto* name = qobject_cast<const ElidedLabel*>(&w)) {
        if (!plainLabel(*name))
            return {};
        const QRect room = name->contentsRect();
        const QString shown = name->elided() ? fm.elidedText(name->text(), Qt::ElideRight, room.width()) : name->text();
        return textBox(room, int(name->alignment()), shown);
    }
    if (const auto* label = qobject_cast<const QLabel*>(&w))
        return plainLabel(*label) ? textBox(label->contentsRect(), int(label->alignment()), label->text()) : QRect();
    if (const auto* edit = qobject_cast<const QLineEdit*>(&w)) {
        // A read-only field's text, from its start, inside the frame, the
        // text margins and the field's own two pixels either side.
        if (!edit->isReadOnly() || edit->text().isEmpty())
            return {};
        QStyleOptionFrame option;
        option.initFrom(edit);
        option.lineWidth = w.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &w);
        const QRect room = w.style()->subElementRect(QStyle::SE_LineEditContents, &option, &w)
                               .marginsRemoved(edit->textMargins())
                               .adjusted(2, 0, -2, 0);
        return textBox(room, Qt::AlignLeft | Qt::AlignVCenter, edit->text());
    }
    const auto* button = qobject_cast<const QAbstractButton*>(&w);
    if (!button || button->text().isEmpty())
        return {};
    const QStyleOptionButton option = buttonOption(*button);
    if (qobject_cast<const QRadioButton*>(&w))
        return textBox(w.style()->subElementRect(QStyle::SE_RadioButtonContents, &option, &w),
                       Qt::AlignLeft | Qt::AlignVCenter, button->text());
    if (qobject_cast<const QCheckBox*>(&w))
        return textBox(w.style()->subElementRect(QStyle::SE_CheckBoxContents, &option, &w),
                       Qt::AlignLeft | Qt::AlignVCenter, button->text());
    if (qobject_cast<const QPushButton*>(&w))
        return textBox(w.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &w), Qt::AlignCenter,
                       button->text());
    return {};
}

QStringList cutCaptions(const QWidget& root)
{
    QStringList cut;
    for (const QWidget* w : root.findChildren<QWidget*>()) {
        Room room;
        if (!w->isVisibleTo(&root) || !roomOf(*w, room))
            continue;
        if (w->fontMetrics().height() > w->height())
            cut << QStringLiteral("%1: %2 (needs %3 px high, has %4 px)").arg(w->objectName(), room.text).arg(w->fontMetrics().height()).arg(w->height());
        if (room.needs <= room.has)
            continue;
        cut << QStringLiteral("%1: %2 (needs %3 px, has %4 px)").arg(w->objectName(), room.text).arg(room.needs).arg(room.has);
    }
    return cut;
}
