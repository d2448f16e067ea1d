#pragma once

#include <QString>
#include <optional>

namespace velutra {

// What a file dialog is asked for. Filters use Qt's form: "Name (*.ext);;All Files (*.*)".
struct FileDialogRequest {
    QString caption;
    QString folder;
    QString filter;
    QString defaultSuffix;
    // Caption of the confirm button; empty keeps the platform's.
    QString acceptLabel;
    // Save dialogs: ask before replacing an existing file.
    bool confirmOverwrite = false;

    FileDialogRequest Overwriting() const {
        FileDialogRequest copy = *this;
        copy.confirmOverwrite = true;
        return copy;
    }
};

// The file dialogs of the program; tests replace them with scripted answers.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // A path to an existing file, or nothing when the user cancels.
    virtual std::optional<QString> OpenFile(const FileDialogRequest& request) = 0;
    // A path to write to, or nothing when the user cancels.
    virtual std::optional<QString> SaveFile(const FileDialogRequest& request) = 0;
};

} // namespace velutra
