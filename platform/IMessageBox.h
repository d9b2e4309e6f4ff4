#pragma once
#include <QString>

enum class MessageIcon { None, Error, Warning, Information };

// Modal message box with one OK button. An empty title means "no title of
// its own" (the application name is shown). Returns after the user closed it;
// serial and timer events keep running meanwhile.
class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    virtual void show(const QString& title, const QString& text, MessageIcon icon) = 0;
};
