#pragma once

#include <QDialog>

namespace velutra {

// "About Velutra": icon, version line and OK.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

} // namespace velutra
