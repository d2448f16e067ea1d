#pragma once

#include "app/MessageSink.h"

class QWidget;

namespace velutra {

// Message boxes over the active window.
class QtMessageSink : public MessageSink {
public:
    void ShowError(const QString& text) override;
    bool AskYesNo(const QString& text) override;
};

} // namespace velutra
