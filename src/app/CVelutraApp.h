#pragma once

#include "app/RecentFileList.h"
#include "record/CompressorRecord.h"

#include <QStringList>
#include <memory>

namespace velutra {

class CMainFrame;
class CVelutraDoc;
class FileDialogs;
class MessageSink;

// The application: owns the one compressor record for the whole run, the document and the frame.
class CVelutraApp {
public:
    CVelutraApp(MessageSink& messages, FileDialogs& dialogs);
    ~CVelutraApp();

    // Start-up with the program's arguments (program name first): reads a compressor file named
    // on the command line, then creates and shows the frame with the description form. False
    // when the file could not be read; the user has then been told why.
    bool InitInstance(const QStringList& arguments);

    CompressorRecord& Record() { return record_; }
    CVelutraDoc& Doc() { return *doc_; }
    CMainFrame* Frame() { return frame_.get(); }

private:
    MessageSink& messages_;
    CompressorRecord record_;
    RecentFileList recent_;
    std::unique_ptr<CVelutraDoc> doc_;
    std::unique_ptr<CMainFrame> frame_;
};

} // namespace velutra
