#include "app/CVelutraApp.h"

#include "app/CMainFrame.h"
#include "app/CVelutraDoc.h"

namespace velutra {

CVelutraApp::CVelutraApp(MessageSink& messages, FileDialogs& dialogs)
    : messages_(messages)
    , doc_(std::make_unique<CVelutraDoc>(record_, dialogs, messages, recent_)) { }

CVelutraApp::~CVelutraApp() = default;

bool CVelutraApp::InitInstance(const QStringList& arguments) {
    record_.cmdLineFileGiven = 0;
    if (arguments.size() > 1) {
        record_.cmdLineFileGiven = 1;
        record_.cmdLineFile = arguments[1].toStdString();
        // Read before any window exists, so that a bad file ends the program without one.
        if (!doc_->ReadCommandLineFile(arguments[1]))
            return false;
    }
    frame_ = std::make_unique<CMainFrame>(record_, *doc_, messages_);
    QObject::connect(doc_.get(), &CVelutraDoc::currentFileChanged, frame_.get(), &CMainFrame::SetCurrentFile);
    frame_->ShowInitialForm();
    frame_->show();
    return true;
}

} // namespace velutra
