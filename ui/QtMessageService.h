#pragma once

#include "core/MessageService.h"

namespace vb {

// Message and input boxes shown as Qt dialogs.
class QtMessageService final : public MessageService {
public:
    MsgResult message(const MessageRequest& request) override;
    QString input(const InputRequest& request) override;
    void beep() override;
};

} // namespace vb
