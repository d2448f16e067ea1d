#pragma once

#include <QLineEdit>

namespace velutra {

// An edit that takes only typed digits, "." and backspace; every other typed character is
// dropped, so no sign or letter can be typed. Editing and navigation keys without a character
// (arrows, Delete, Home) work as usual, and pasted text is taken unfiltered.
class NumericEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit NumericEdit(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace velutra
