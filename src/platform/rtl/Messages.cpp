// The message routines and the scripted service for tests.
#include "platform/rtl/Messages.h"

namespace rtl {
namespace {

// Until the program installs its windowed service, messages go to standard error and get
// their default answer, so that no message is ever lost.
class ConsoleMessageService : public ScriptedMessageService {
public:
    MessageAnswer Ask(const MessageRequest& request) override {
        qWarning("%s", qUtf8Printable(request.text));
        return ScriptedMessageService::Ask(request);
    }
};

std::shared_ptr<MessageService> MakeConsoleService() { return std::make_shared<ConsoleMessageService>(); }

int FirstButtonResult(TMsgDlgButtons buttons) {
    static const std::pair<TMsgDlgBtn, int> order[] = {
        {mbYes, mrYes},     {mbNo, mrNo},         {mbOK, mrOk},   {mbCancel, mrCancel},   {mbAbort, mrAbort},
        {mbRetry, mrRetry}, {mbIgnore, mrIgnore}, {mbAll, mrAll}, {mbNoToAll, mrNoToAll}, {mbYesToAll, mrYesToAll}};
    for (const auto& [button, result] : order)
        if (buttons.Contains(button)) return result;
    return mrOk;
}

}  // namespace

ServiceSlot<MessageService>& MessageServiceSlot() {
    static ServiceSlot<MessageService> slot(&MakeConsoleService);
    return slot;
}

MessageAnswer ScriptedMessageService::Ask(const MessageRequest& request) {
    requests_.push_back(request);
    if (!answers_.empty()) {
        MessageAnswer answer = answers_.front();
        answers_.erase(answers_.begin());
        return answer;
    }
    ++unanswered_;
    switch (request.kind) {
        case MessageRequest::Kind::Dialog: return {FirstButtonResult(request.buttons), {}};
        case MessageRequest::Kind::Box: return {IDOK, {}};
        case MessageRequest::Kind::Input: return {mrCancel, request.value};
    }
    return {};
}

void ScriptedMessageService::QueueAnswer(int result, const QString& value) { answers_.push_back({result, value}); }

std::vector<QString> ScriptedMessageService::Texts() const {
    std::vector<QString> texts;
    for (const MessageRequest& r : requests_) texts.push_back(r.text);
    return texts;
}

void ScriptedMessageService::Clear() {
    answers_.clear();
    requests_.clear();
    unanswered_ = 0;
}

}  // namespace rtl

using Kind = rtl::MessageRequest::Kind;

namespace {
rtl::MessageAnswer Ask(const rtl::MessageRequest& request) { return rtl::CurrentMessageService().Ask(request); }
}  // namespace

int MessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons, int) {
    return Ask({.kind = Kind::Dialog, .text = text, .type = type, .buttons = buttons}).result;
}

void ShowMessage(const QString& text) { MessageDlg(text, mtCustom, {mbOK}); }

void ShowInformation(const QString& text) { MessageDlg(text, mtInformation, {mbOK}); }

bool InputQuery(const QString& caption, const QString& prompt, QString& value) {
    const rtl::MessageAnswer answer = Ask({.kind = Kind::Input, .caption = caption, .text = prompt, .value = value});
    if (answer.result != mrOk) return false;
    value = answer.value;
    return true;
}

int MessageBox(const QString& text, const QString& caption, unsigned flags) {
    return Ask({.kind = Kind::Box, .caption = caption, .text = text, .flags = flags}).result;
}
