#include "core/MessageService.h"

namespace vb {
namespace {

// Without a user interface every question is answered with its first button.
class SilentMessageService final : public MessageService {
public:
    MsgResult message(const MessageRequest& r) override
    {
        switch (r.buttons) {
        case MsgButtons::Ok:
        case MsgButtons::OkCancel: return MsgResult::Ok;
        case MsgButtons::YesNo:
        case MsgButtons::YesNoCancel: return MsgResult::Yes;
        }
        return MsgResult::Ok;
    }
    QString input(const InputRequest&) override { return QString(); }
};

SilentMessageService g_silent;
MessageService* g_default = &g_silent;
MessageService* g_service = nullptr;

} // namespace

MessageService& messages() { return g_service ? *g_service : *g_default; }
void setMessageService(MessageService* s) { g_service = s; }
void setDefaultMessageService(MessageService* s) { g_default = s ? s : &g_silent; }

} // namespace vb
