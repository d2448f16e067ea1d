#include "app/QtFileDialogs.h"

#include <QApplication>
#include <QFileDialog>

namespace velutra {

namespace {

std::optional<QString> Run(const FileDialogRequest& request, bool save) {
    QFileDialog dialog(QApplication::activeWindow(), request.caption, request.folder, request.filter);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.acceptLabel.isEmpty())
        dialog.setLabelText(QFileDialog::Accept, request.acceptLabel);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

std::optional<QString> QtFileDialogs::OpenFile(const FileDialogRequest& request) {
    return Run(request, false);
}

std::optional<QString> QtFileDialogs::SaveFile(const FileDialogRequest& request) {
    return Run(request, true);
}

} // namespace velutra
