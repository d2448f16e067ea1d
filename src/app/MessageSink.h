#pragma once

#include <QString>

namespace velutra {

// Where the program's modal messages go: message boxes in the program, a recorder in tests.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    // An error shown with the stop icon; the text is shown as given.
    virtual void ShowError(const QString& text) = 0;
    // A Yes/No question; true for Yes.
    virtual bool AskYesNo(const QString& text) = 0;
};

} // namespace velutra
