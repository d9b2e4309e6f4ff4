#pragma once
#include <QString>

// Open and save file dialogs. filter uses the "Description (*.ext)|*.ext|..."
// form; both return the chosen full path, or an empty string on cancel.
class IFileDialog {
public:
    virtual ~IFileDialog() = default;
    virtual QString getOpenFileName(const QString& initialName, const QString& filter) = 0;
    virtual QString getSaveFileName(const QString& initialName, const QString& filter) = 0;
};
