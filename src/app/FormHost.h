#pragma once

class QString;

namespace velutra {

class CycleStateSource;

// What a form needs from the window that shows it: the property engine of the run, the window
// caption, the current file's name in the status line, and the request for another form (handled
// after the requesting handler has returned).
class FormHost {
public:
    virtual ~FormHost() = default;
    virtual CycleStateSource& Engine() = 0;
    virtual void SetCaption(const QString& caption) = 0;
    virtual void SetCurrentFile(const QString& path) = 0;
    virtual void RequestForm(int formId) = 0;
};

} // namespace velutra
