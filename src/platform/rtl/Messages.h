// The one message service: every message, question and input prompt the user sees goes through it.
#pragma once

#include "platform/rtl/ServiceSlot.h"

#include <QString>
#include <initializer_list>
#include <memory>
#include <vector>

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };

// A set of dialog buttons, written as {mbYes, mbNo}.
class TMsgDlgButtons {
public:
    constexpr TMsgDlgButtons() = default;
    constexpr TMsgDlgButtons(std::initializer_list<TMsgDlgBtn> buttons) {
        for (TMsgDlgBtn b : buttons) bits_ |= 1u << b;
    }
    constexpr bool Contains(TMsgDlgBtn b) const { return (bits_ & (1u << b)) != 0; }
    constexpr bool IsEmpty() const { return bits_ == 0; }
    constexpr bool operator==(const TMsgDlgButtons&) const = default;

private:
    unsigned bits_ = 0;
};

// Modal results, numbered as the framework numbers them.
enum : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrAll = 8,
    mrNoToAll = 9,
    mrYesToAll = 10,
    mrNext = 103,
    mrBack = 104,  // wizard pages
};

// Message box flags and results (the platform's numbering).
enum : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_ABORTRETRYIGNORE = 0x2,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_RETRYCANCEL = 0x5,
    MB_ICONERROR = 0x10,
    MB_ICONHAND = 0x10,
    MB_ICONSTOP = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONWARNING = 0x30,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONINFORMATION = 0x40,
    MB_ICONASTERISK = 0x40,
    MB_DEFBUTTON1 = 0x0,
    MB_DEFBUTTON2 = 0x100,
    MB_DEFBUTTON3 = 0x200,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };

namespace rtl {

// One request to the user, as the service receives it (tests read these back).
struct MessageRequest {
    enum class Kind { Dialog, Box, Input };
    Kind kind = Kind::Dialog;
    QString caption;                   // Box and Input; empty for Dialog (the application title is used)
    QString text;                      // the message, or the Input prompt
    TMsgDlgType type = mtInformation;  // Dialog: the icon
    TMsgDlgButtons buttons;            // Dialog: the buttons
    unsigned flags = MB_OK;            // Box: buttons and icon flags
    QString value;                     // Input: the value offered
};

// An answer: a modal result (Dialog), an ID result (Box), or for Input whether OK was
// pressed and the value entered.
struct MessageAnswer {
    int result = mrOk;
    QString value;
};

class MessageService {
public:
    virtual ~MessageService() = default;
    virtual MessageAnswer Ask(const MessageRequest& request) = 0;
};

// The service in use; the program installs the windowed one at start, tests a scripted one. Until then,
// and after installing null, messages go to standard error with their default answers.
ServiceSlot<MessageService>& MessageServiceSlot();
inline MessageService& CurrentMessageService() { return MessageServiceSlot().Current(); }
inline std::shared_ptr<MessageService> SetMessageService(std::shared_ptr<MessageService> service) {
    return MessageServiceSlot().Install(std::move(service));
}

// A service for tests: answers queued in advance, every request recorded.
// With no answer queued, a Dialog gets its first button's result, a Box IDOK, an Input Cancel.
class ScriptedMessageService : public MessageService {
public:
    MessageAnswer Ask(const MessageRequest& request) override;

    void QueueAnswer(int result, const QString& value = QString());
    const std::vector<MessageRequest>& Requests() const { return requests_; }
    // The texts shown, in order.
    std::vector<QString> Texts() const;
    int UnansweredCount() const { return unanswered_; }
    void Clear();

private:
    std::vector<MessageAnswer> answers_;
    std::vector<MessageRequest> requests_;
    int unanswered_ = 0;
};

}  // namespace rtl

// The framework's message routines over the current service.
int MessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext = 0);
void ShowMessage(const QString& text);
// An information message with OK.
void ShowInformation(const QString& text);
// Asks for a text; true and the new value in value when the user pressed OK.
bool InputQuery(const QString& caption, const QString& prompt, QString& value);
// The application's message box: returns IDOK, IDCANCEL, IDYES, ...
int MessageBox(const QString& text, const QString& caption, unsigned flags);
