#include "forms/NumericEdit.h"

#include <QKeyEvent>

namespace velutra {

NumericEdit::NumericEdit(QWidget* parent)
    : QLineEdit(parent) { }

void NumericEdit::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    // Control characters (backspace) and shortcuts such as Ctrl+V are not typed characters.
    const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    const bool typed = !shortcut && !text.isEmpty() && text.at(0).isPrint();
    if (typed) {
        for (const QChar ch : text)
            if (!ch.isDigit() && ch != u'.') {
                event->accept();
                return;
            }
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace velutra
