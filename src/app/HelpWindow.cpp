#include "app/HelpWindow.h"

#include "record/CompressorRecord.h"

#include <QTextBrowser>
#include <QVBoxLayout>

// The help pages live in a static library; its resources are registered explicitly so the
// linker keeps them.
static void RegisterHelpResources() {
    Q_INIT_RESOURCE(velutra);
}

namespace velutra {

namespace {

const QUrl kContents(QStringLiteral("qrc:/help/contents.html"));

} // namespace

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window) {
    RegisterHelpResources();
    setWindowTitle(QStringLiteral("Velutra Help"));
    resize(640, 560);
    browser_ = new QTextBrowser(this);
    browser_->setAccessibleName(QStringLiteral("Help text"));
    browser_->setOpenLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
}

QUrl HelpWindow::TopicUrl(int topic) {
    switch (topic) {
    case kHelpDescription:
    case kHelpMap:
    case kHelpPlots:
    case kHelpSmoothedMap:
        return QUrl(QStringLiteral("qrc:/help/topic%1.html").arg(topic));
    default:
        return kContents;
    }
}

void HelpWindow::ShowTopic(int topic) {
    browser_->setSource(TopicUrl(topic));
    show();
    raise();
    activateWindow();
}

void HelpWindow::ShowContents() {
    ShowTopic(0);
}

QUrl HelpWindow::Source() const {
    return browser_->source();
}

} // namespace velutra
