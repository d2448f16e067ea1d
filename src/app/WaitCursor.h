#pragma once

namespace velutra {

// Shows the wait cursor for the lifetime of the guard, also when the work throws.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace velutra
