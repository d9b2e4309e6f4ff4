#include "support/Fakes.h"

#include <QDialog>

int ScriptedDialogRunner::exec(QDialog& dialog)
{
    ++runs;
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    if (answer)
        answer(dialog);
    const int result = dialog.result();
    dialog.hide();
    return result;
}
