#include "app/QtMessageSink.h"

#include <QApplication>
#include <QMessageBox>

namespace velutra {

void QtMessageSink::ShowError(const QString& text) {
    QMessageBox::critical(QApplication::activeWindow(), QStringLiteral("Velutra"), text);
}

bool QtMessageSink::AskYesNo(const QString& text) {
    return QMessageBox::question(QApplication::activeWindow(), QStringLiteral("Velutra"), text,
               QMessageBox::Yes | QMessageBox::No)
        == QMessageBox::Yes;
}

} // namespace velutra
