#pragma once

#include <QUrl>
#include <QWidget>

class QTextBrowser;

namespace velutra {

// The help viewer: the program's help pages (Qt resources), addressed by topic number.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the page of a form topic (100, 110, 120, 130); any other topic shows the contents.
    void ShowTopic(int topic);
    void ShowContents();
    QUrl Source() const;

    static QUrl TopicUrl(int topic);

private:
    QTextBrowser* browser_;
};

} // namespace velutra
