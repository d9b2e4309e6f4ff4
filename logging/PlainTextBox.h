#pragma once
#include "logging/ITextBox.h"

class QPlainTextEdit;

// ITextBox over a QPlainTextEdit. The edit must outlive the adapter.
class PlainTextBox final : public ITextBox {
public:
    explicit PlainTextBox(QPlainTextEdit& edit) : edit_(edit) {}
    QString text() const override;
    void setText(const QString& text) override;
    void append(const QString& text) override;
    void moveCaretToEnd() override;

private:
    QPlainTextEdit& edit_;
};
