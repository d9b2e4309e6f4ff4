#pragma once
// Whether the captions of a window's controls have room for their whole
// text in the controls' own fonts.
#include <QRect>
#include <QString>
#include <QStringList>

class QWidget;

// Where a label, option button, check box or push button draws its caption,
// in the widget's own coordinates: the text's advance box, of the text as
// drawn (a cut name with its ellipsis). Empty for other widgets and for
// controls without a caption.
QRect captionRect(const QWidget& widget);

// The visible controls below `root` whose caption does not fit, each as
// "objectName: text (needs N px, has M px)". A name cut with an ellipsis
// fits when its tool tip holds the whole name.
QStringList cutCaptions(const QWidget& root);
