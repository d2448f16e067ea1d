#pragma once

#include "WorkingFolder.h"

#include <QObject>
#include <memory>

// Start-up, form switching, captions, help and the About box.
class FrameTest : public QObject {
    Q_OBJECT

private slots:
    void init() { folder_ = std::make_unique<WorkingFolder>(); }
    void cleanup() { folder_.reset(); }

    void startWithoutFileGivesNewRecord();
    void startWithFileNamesItAsTyped();
    void startWithUnreadableFileFails();
    void switchIgnoresUnknownAndCurrentIds_data();
    void switchIgnoresUnknownAndCurrentIds();
    void switchRunsAfterPostingHandlerAndDestroysOldForm();
    void navigationButtonsReachTheirTargets();
    void descriptionNextAppliesDefaultAxesOnlyAfterNew();
    void descriptionNextSetsUpRefrigerant();
    void descriptionNextReportsMissingPropertyLibrary();
    void helpShowsTopicOfVisibleForm();
    void everyButtonHasAnAccessibleName();

private:
    std::unique_ptr<WorkingFolder> folder_;
};

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
    void openCancelTruncatedAndGoodFile();
    void saveAsCancelFailureAndSecondDot();
    void deleteAsksAndRemoves();
    void importReloadsDescriptionOrChangesNothing();
    void exportAfterPlotsWritesTheAnalysedMap();
    void ctrlSWritesCommandLineFile();
    void recentFileListKeepsFourNewestFirst();

private:
    std::unique_ptr<WorkingFolder> folder_;
};
