#pragma once
#include <QLabel>

// A label for a name the user typed: a name longer than the label's room is
// drawn cut with an ellipsis, and the whole name is its tool tip. text()
// stays the whole name.
class ElidedLabel final : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    // Whether the text is drawn cut at the label's present width.
    bool elided() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};
