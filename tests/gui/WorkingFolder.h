#pragma once

#include "files/CompressorFile.h"
#include "record/CompressorRecord.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// A fresh working directory with a Maps folder for one test; the old one comes back afterwards.
class WorkingFolder {
public:
    WorkingFolder()
        : previous_(QDir::currentPath()) {
        QDir(dir_.path()).mkdir("Maps");
        QDir::setCurrent(dir_.path());
    }
    ~WorkingFolder() { QDir::setCurrent(previous_); }

    QString Path(const QString& name) const { return dir_.filePath(name); }

    // A compressor file holding a record that differs from the New defaults.
    static velutra::CompressorRecord SampleRecord() {
        velutra::CompressorRecord record;
        record.ApplyNewDefaults();
        record.manufacturer = "Acme";
        record.model = "K-7";
        record.unitsEnglish = 0;
        record.unitsSI = 1;
        record.condCount = 2;
        record.condTempText[0] = { "40.0", "40.0" };
        record.capacityText[0][0] = "1234.5";
        record.powerText[0][0] = "321"; // the other cells in use are blank
        return record;
    }

    void WriteRecord(const QString& path, const velutra::CompressorRecord& record) const {
        velutra::WriteCompressorFile(QFile::encodeName(path).toStdString(), record);
    }

    // The first bytes of a valid file: it ends in the middle of the texts.
    void WriteTruncated(const QString& path) const {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(QByteArray::fromStdString(velutra::EncodeCompressorFile(SampleRecord()).substr(0, 100)));
    }

private:
    QString previous_;
    QTemporaryDir dir_;
};
