#pragma once
class QDialog;

// Runs a dialog modally and returns its result (QDialog::Accepted or
// Rejected). The Qt implementation calls exec(), whose nested event loop
// keeps serial and timer events running; tests answer the dialog instead.
class IDialogRunner {
public:
    virtual ~IDialogRunner() = default;
    virtual int exec(QDialog& dialog) = 0;
};
