#pragma once

#include "WorkingFolder.h"

#include <QObject>
#include <memory>

// The menu and key commands: enabling per form, New, Open, Save As, Delete, import, Ctrl+S.
class CommandsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { folder_ = std::make_unique<WorkingFolder>(); }
    void cleanup() { folder_.reset(); }

    void menusReadAsDesigned();
    void commandsEnabledPerForm_data();
    void commandsEnabledPerForm();
    void keysReachCommandsButCtrlDDoesNothing();
    void newFromLaterFormReturnsToDescription();
    void openCancelledKeepsMapForm();
    void openTruncatedFileChangesNothing();
    void openReturnsToDescriptionWithFile();
    void saveAsCancelAndFailure();
    void saveAsCutsFileNameAtSecondDot();
    void deleteAsksAndRemoves();
    void importFromMapFormReloadsDescription();
    void importOfMalformedTableChangesNothing();
    void exportWritesTableAndReportsFailure();
    void ctrlSWritesCommandLineFile();
    void recentFileListKeepsFourNewestFirst();

private:
    std::unique_ptr<WorkingFolder> folder_;
};
