#pragma once

namespace velutra {

struct CompressorRecord;
class CVelutraDoc;
class FormHost;
class MessageSink;

// What a form works with: the application's one record, the document's file commands, what it
// needs of the window that shows it (caption, status line, switch requests, the property
// engine) and the message boxes.
struct FormContext {
    CompressorRecord& record;
    CVelutraDoc& doc;
    FormHost& frame;
    MessageSink& messages;
};

} // namespace velutra
