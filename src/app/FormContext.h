#pragma once

namespace velutra {

struct CompressorRecord;
class CVelutraDoc;
class CMainFrame;
class MessageSink;

// What a form works with: the application's one record, the document's file commands and the
// frame (caption, status bar, switch requests, the property engine) and the message boxes.
struct FormContext {
    CompressorRecord& record;
    CVelutraDoc& doc;
    CMainFrame& frame;
    MessageSink& messages;
};

} // namespace velutra
