#pragma once
class QDialog;
class QDialogButtonBox;
class QPushButton;

// The "OK" (default) and "Cancel" buttons of the setup dialogs, named CmdOk
// and CmdCancel, in a button box owned by the dialog. The dialog connects
// their clicks itself.
QDialogButtonBox* makeOkCancelButtons(QDialog* dialog, QPushButton*& ok, QPushButton*& cancel);
