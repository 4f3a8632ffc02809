#pragma once

#include <QString>

// Every message box and input box of the program goes through this service, so that a
// test can answer in place of the user and check each message by its text, buttons,
// icon and title.
namespace vb {

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgResult { Ok, Cancel, Yes, No };

struct MessageRequest {
    QString text;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    QString title;
};

struct InputRequest {
    QString prompt;
    QString title;
    QString defaultText;
    int xTwips = -1; // position of the box from the screen's top-left corner; -1 centres it
    int yTwips = -1;
    bool browseFolder = false; // the answer is a folder, which a "Sfoglia..." button lets the user pick
};

class MessageService {
public:
    virtual ~MessageService() = default;
    virtual MsgResult message(const MessageRequest& request) = 0;
    // The typed answer; an empty text when the user cancels.
    virtual QString input(const InputRequest& request) = 0;
    virtual void beep() {}
};

MessageService& messages();
// Installs |s| (not owned); nullptr restores the default service.
void setMessageService(MessageService* s);
// The service used when none is installed (the windowed one, set by the user interface).
void setDefaultMessageService(MessageService* s);

inline MsgResult MsgBox(const QString& text, MsgButtons buttons = MsgButtons::Ok,
                        MsgIcon icon = MsgIcon::None, const QString& title = QString())
{
    return messages().message({text, buttons, icon, title});
}

inline QString InputBox(const QString& prompt, const QString& title, const QString& defaultText = QString(),
                        int xTwips = -1, int yTwips = -1)
{
    return messages().input({prompt, title, defaultText, xTwips, yTwips});
}

// A refused input or action: the text with the exclamation icon, OK, title "ATTENZIONE".
inline void warn(const QString& text) { MsgBox(text, MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("ATTENZIONE")); }

// Shows an unexpected error's description: OK button, no icon, no title.
inline void showErrorDescription(const QString& description) { MsgBox(description); }

} // namespace vb
