#pragma once

#include "app/FileDialogs.h"

namespace velutra {

// QFileDialog over the active window.
class QtFileDialogs : public FileDialogs {
public:
    std::optional<QString> OpenFile(const FileDialogRequest& request) override;
    std::optional<QString> SaveFile(const FileDialogRequest& request) override;
};

} // namespace velutra
