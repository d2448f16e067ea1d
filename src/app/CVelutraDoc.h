#pragma once

#include "app/FileDialogs.h"
#include "record/CompressorRecord.h"

#include <QObject>
#include <QString>

namespace velutra {

class MessageSink;
class RecentFileList;

// The document: the file commands on the application's record. It has no data of its own
// beyond the path that Ctrl+S writes to.
class CVelutraDoc : public QObject {
    Q_OBJECT

public:
    CVelutraDoc(
        CompressorRecord& record, FileDialogs& dialogs, MessageSink& messages, RecentFileList& recent);

    // The New defaults of the record.
    void OnNew();
    // Asks for a compressor file and reads it. recordLoaded tells the caller whether a record
    // was read; a file that cannot be read leaves the record as it was and says why.
    void OnOpen();
    // Asks for a name and writes the record there; true when the file was written.
    bool SaveAs();
    // Asks for a file and, after confirmation, removes it. The record and the status bar stay.
    void OnDelete();
    // Ctrl+T: asks for a KVS table file and imports it. reloadFormsFromRecord is 1 afterwards
    // exactly when the record was filled from the table; a refused table changes nothing.
    void OnImport();
    // Asks for a published map (.csv) or a ten-coefficient file (.json, .csv) and takes its map
    // into the record as the table import does: reloadFormsFromRecord is 1 exactly when the
    // record was filled; a file that cannot be used changes nothing and says why.
    void OnImportCsvMap();
    void OnImportCoefficients();
    // Asks for a name and writes the record's numeric map as a KVS table file.
    void OnExportTable();
    // Ctrl+S: writes the record to the document's path (the command-line file), asking for a
    // name when there is none. The status bar is not changed.
    void OnSave();
    // Start-up read of the file named on the command line; false (after a message) on failure.
    bool ReadCommandLineFile(const QString& path);

    QString PathName() const { return pathName_; }
    // The file dialogs, for the forms' own file commands.
    FileDialogs& Dialogs() const { return dialogs_; }

signals:
    // A file became the current one; the frame names it in the status bar.
    void currentFileChanged(const QString& path);

private:
    QString MapsDir() const;
    // A dialog request that starts in the Maps folder.
    FileDialogRequest Request(const QString& caption, const QString& filter, const QString& defaultSuffix,
        const QString& acceptLabel = QString()) const;
    bool Read(const QString& path);
    // Takes the persistent fields of a record made from an imported file.
    void TakeImported(const CompressorRecord& imported, const QString& path);
    bool Write(const QString& path);

    CompressorRecord& record_;
    FileDialogs& dialogs_;
    MessageSink& messages_;
    RecentFileList& recent_;
    QString pathName_;
};

} // namespace velutra
