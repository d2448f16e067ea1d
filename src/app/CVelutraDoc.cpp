#include "app/CVelutraDoc.h"

#include "analysis/PublishedMapCsv.h"
#include "app/FileDialogs.h"
#include "app/MessageSink.h"
#include "app/RecentFileList.h"
#include "app/WaitCursor.h"
#include "files/CompressorFile.h"
#include "files/TableExport.h"
#include "files/TableImport.h"
#include "interchange/CoefficientImport.h"

#include <QFile>
#include <QFileInfo>

namespace velutra {

namespace {

// The program's own message texts carry three spaces on each side.
QString Framed(const QString& text) {
    return QStringLiteral("   ") + text + QStringLiteral("   ");
}

std::string NativePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace

CVelutraDoc::CVelutraDoc(
    CompressorRecord& record, FileDialogs& dialogs, MessageSink& messages, RecentFileList& recent)
    : record_(record)
    , dialogs_(dialogs)
    , messages_(messages)
    , recent_(recent) { }

QString CVelutraDoc::MapsDir() const {
    return QString::fromStdString(record_.mapsDir);
}

FileDialogRequest CVelutraDoc::Request(const QString& caption, const QString& filter,
    const QString& defaultSuffix, const QString& acceptLabel) const {
    FileDialogRequest request;
    request.caption = caption;
    request.folder = MapsDir();
    request.filter = filter;
    request.defaultSuffix = defaultSuffix;
    request.acceptLabel = acceptLabel;
    return request;
}

bool CVelutraDoc::Read(const QString& path) {
    try {
        WaitCursor wait;
        ReadCompressorFile(NativePath(path), record_);
    } catch (const CompressorFileError& error) {
        messages_.ShowError(Framed(QString::fromStdString(error.what())));
        return false;
    }
    recent_.Add(path);
    return true;
}

bool CVelutraDoc::Write(const QString& path) {
    try {
        WaitCursor wait;
        WriteCompressorFile(NativePath(path), record_);
    } catch (const CompressorFileError& error) {
        messages_.ShowError(Framed(QString::fromStdString(error.what())));
        return false;
    }
    recent_.Add(path);
    return true;
}

void CVelutraDoc::OnNew() {
    record_.ApplyNewDefaults();
}

void CVelutraDoc::OnOpen() {
    record_.recordLoaded = 0;
    const auto path = dialogs_.OpenFile(Request(QStringLiteral("Open"),
        QStringLiteral("Compressor files (*.cmp);;All Files (*.*)"), QStringLiteral("cmp")));
    if (!path || !Read(*path))
        return;
    emit currentFileChanged(*path);
    record_.convertRefrigerant = 0;
}

bool CVelutraDoc::SaveAs() {
    const auto chosen = dialogs_.SaveFile(Request(QStringLiteral("Save As"),
        QStringLiteral("Text files (*.cmp);;All Files (*.*)"), QStringLiteral("cmp"))
                                              .Overwriting());
    if (!chosen)
        return false;
    // The chosen name is cut at the second "." of the file name, as compressor files always were.
    const QString path = QFile::decodeName(SaveAsPath(NativePath(*chosen)).c_str());
    if (!Write(path))
        return false;
    emit currentFileChanged(path);
    return true;
}

void CVelutraDoc::OnDelete() {
    const auto path = dialogs_.OpenFile(Request(QStringLiteral("Delete File"),
        QStringLiteral("Text files (*.cmp)"), QStringLiteral("cmp"), QStringLiteral("Delete")));
    if (!path)
        return;
    const QString question
        = QStringLiteral("Do you really want to delete file %1?").arg(QFileInfo(*path).fileName());
    if (!messages_.AskYesNo(question))
        return;
    QFile file(*path);
    if (!file.remove())
        messages_.ShowError(
            Framed(QStringLiteral("Could not delete file %1: %2").arg(*path, file.errorString())));
}

void CVelutraDoc::OnImport() {
    record_.reloadFormsFromRecord = 0;
    const auto path = dialogs_.OpenFile(Request(QStringLiteral("Import DOS KVS File"),
        QStringLiteral("KVS tab files (*.tab);;All Files (*.*)"), QStringLiteral("tab")));
    if (!path)
        return;
    try {
        WaitCursor wait;
        ImportTable(NativePath(*path), record_);
    } catch (const TableFileError& error) {
        // The status bar keeps naming the file the record came from.
        messages_.ShowError(Framed(QString::fromStdString(error.what())));
        return;
    }
    emit currentFileChanged(*path);
}

void CVelutraDoc::OnImportCsvMap() {
    record_.reloadFormsFromRecord = 0;
    const auto path = dialogs_.OpenFile(Request(QStringLiteral("Import CSV Map"),
        QStringLiteral("CSV maps (*.csv);;All Files (*.*)"), QStringLiteral("csv")));
    if (!path)
        return;
    // The map goes into a New record first, so that a file refused half-way changes nothing.
    CompressorRecord imported;
    imported.ApplyNewDefaults();
    try {
        WaitCursor wait;
        ReadPublishedMap(NativePath(*path), imported);
    } catch (const PublishedMapError& error) {
        messages_.ShowError(Framed(QString::fromStdString(error.what())));
        return;
    }
    TakeImported(imported, *path);
}

void CVelutraDoc::OnImportCoefficients() {
    record_.reloadFormsFromRecord = 0;
    const auto path = dialogs_.OpenFile(Request(QStringLiteral("Import Coefficients"),
        QStringLiteral("Coefficient files (*.json *.csv);;All Files (*.*)"), QStringLiteral("json")));
    if (!path)
        return;
    CompressorRecord imported;
    try {
        WaitCursor wait;
        imported = ImportCoefficients(NativePath(*path));
    } catch (const std::exception& error) {
        messages_.ShowError(Framed(QString::fromStdString(error.what())));
        return;
    }
    TakeImported(imported, *path);
}

void CVelutraDoc::TakeImported(const CompressorRecord& imported, const QString& path) {
    record_.CopyPersistentFrom(imported);
    record_.reloadFormsFromRecord = 1;
    record_.newRecordDefaultsPending = 0;
    emit currentFileChanged(path);
}

void CVelutraDoc::OnExportTable() {
    const auto path = dialogs_.SaveFile(Request(QStringLiteral("Export KVS Table"),
        QStringLiteral("KVS tab files (*.tab);;All Files (*.*)"), QStringLiteral("tab"))
                                            .Overwriting());
    if (!path)
        return;
    try {
        WaitCursor wait;
        ExportTable(NativePath(*path), record_);
    } catch (const TableFileError& error) {
        messages_.ShowError(Framed(QString::fromStdString(error.what())));
    }
}

void CVelutraDoc::OnSave() {
    if (pathName_.isEmpty()) {
        const auto chosen = dialogs_.SaveFile(
            Request(QStringLiteral("Save As"), QStringLiteral("All Files (*.*)"), QString()).Overwriting());
        if (chosen && Write(*chosen))
            pathName_ = *chosen;
        return;
    }
    Write(pathName_);
}

bool CVelutraDoc::ReadCommandLineFile(const QString& path) {
    if (!Read(path))
        return false;
    pathName_ = path;
    return true;
}

} // namespace velutra
