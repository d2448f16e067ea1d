#pragma once

#include "WorkingFolder.h"

#include <QObject>
#include <memory>

// Start-up (with Ctrl+S on the file it named), form switching, captions and help.
class FrameTest : public QObject {
    Q_OBJECT

private slots:
    void init() { folder_ = std::make_unique<WorkingFolder>(); }
    void cleanup() { folder_.reset(); }

    void startWithoutFileThenNextAppliesDefaultAxes();
    void startWithFileNamesItAsTypedAndCtrlSWritesIt();
    void switchIgnoresUnknownAndCurrentIds_data();
    void switchIgnoresUnknownAndCurrentIds();
    void navigationButtonsReachTheirTargets();
    void descriptionNextSetsUpRefrigerantOrReportsMissingLibrary();
    void helpShowsTopicOfVisibleForm();
    void plotsNameTheRowsTheyCannotCompute();

private:
    std::unique_ptr<WorkingFolder> folder_;
};

// The menu and key commands: enabling per form, New, Open, Save As, Delete, import, export.
class CommandsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { folder_ = std::make_unique<WorkingFolder>(); }
    void cleanup() { folder_.reset(); }

    void menusAndKeysReadAsDesigned();
    void commandsEnabledPerForm_data();
    void commandsEnabledPerForm();
    void newFromLaterFormReturnsToDescription();
    void openCancelTruncatedAndGoodFile();
    void saveAsCancelFailureAndSecondDot();
    void deleteAsksAndRemoves();
    void importReloadsDescriptionOrChangesNothing();
    void importCsvMapAndCoefficients();
    void exportAfterPlotsWritesTheAnalysedMap();
    void recentFileListKeepsFourNewestFirst();

private:
    std::unique_ptr<WorkingFolder> folder_;
};

// The description and map entry forms driven through their controls.
class EntryFormsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { folder_ = std::make_unique<WorkingFolder>(); }
    void cleanup() { folder_.reset(); }

    void descriptionStartsWithNewValuesAndSwitchesUnits();
    void numericEditsDropTypedNonDigitsButTakePaste();
    void newThenNextWithSIGivesSIAxesAndResetsAxisEdits();
    void countStepsClampAndEnableFields();
    void temperatureCheckOnNext_data();
    void temperatureCheckOnNext();
    void cellCheckOnNextAcceptsBlankCells();
    void condensingFieldsMirrorTheirTwin();
    void clearDataAndTextMapCopies();

private:
    std::unique_ptr<WorkingFolder> folder_;
};

// The plot form: the graph's contents for each plot type, the smoothing controls and the export.
class PlotTest : public QObject {
    Q_OBJECT

private slots:
    void init() { folder_ = std::make_unique<WorkingFolder>(); }
    void cleanup() { folder_.reset(); }

    void mapCurvesFollowTheMap_data();
    void mapCurvesFollowTheMap();
    void efficiencyPlotsShowTheCurrentMap();
    void smoothingBoxesActAsAPair();
    void exportWritesPngOrSvgOrSaysWhyNot();
    void twoVariableFitShowsItsQualityOrIsRefused();

private:
    std::unique_ptr<WorkingFolder> folder_;
};

// The grid widget on its own: repaints, stretching, title tips, wheel, header bands, assistive tools.
class GridCtrlTest : public QObject {
    Q_OBJECT

private slots:
    void sameCountAndCellChangesDoNotRepaint();
    void expandToFitFillsAnAllFixedGridWithoutScrollBars();
    void titleTipOnlyForTextWiderThanItsCell();
    void wheelScrollsByTheUsersLineCount();
    void headerBordersResizeOnlyWhenAllowed();
    void readsAsTableOfCellTexts();
};

// The smoothed-map form: opening, conversion, multipliers, EER, saving, and the whole run.
class GridFormTest : public QObject {
    Q_OBJECT

private slots:
    void init() { folder_ = std::make_unique<WorkingFolder>(); }
    void cleanup() { folder_.reset(); }

    void smoothedMapScalesWithoutCompounding();
    void enteredMapShowsTextsAsTypedThenFormattedNumbers();
    void badMultiplierKeepsPreviousAndZeroPowerHasNoEER();
    void saveUsesMultipliersOfLastUpdateAndWritesTheAxis();
    void conversionSwitchesRefrigerantAndBackRestoresIt();
    void formShowsTheMapTheCliReports_data();
    void formShowsTheMapTheCliReports();
    void valuesBeyondTheEnteredMapAreMarked();
    void exportsCsvMapAndCoefficients();
    void controlsReadTheirNamesAndTexts();
    void wholeRunSavesTheAdjustedMap();

private:
    std::unique_ptr<WorkingFolder> folder_;
};
