#pragma once

#include <QEvent>

namespace velutra {

// A form's request to show another form. It is posted, never sent, so the frame handles it
// only after the handler that asked for it has returned and stopped touching its controls.
class SwitchFormEvent : public QEvent {
public:
    static constexpr QEvent::Type kType = static_cast<QEvent::Type>(QEvent::User + 6);

    explicit SwitchFormEvent(int commandId)
        : QEvent(kType)
        , commandId_(commandId) { }

    int CommandId() const { return commandId_; }

private:
    int commandId_;
};

} // namespace velutra
