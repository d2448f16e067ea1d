#include "GuiTests.h"
#include "Session.h"
#include "app/CommandIds.h"
#include "app/RecentFileList.h"
#include "files/TableExport.h"
#include "interchange/CoefficientSet.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStatusBar>
#include <cmath>

using namespace velutra;

namespace {

// What a screen reader hears for the status line's file label: its name must be the text.
QString ScreenReaderTextOfStatusLabel(CMainFrame& frame) {
    for (auto* label : frame.statusBar()->findChildren<QLabel*>()) {
        if (label->text().startsWith(QStringLiteral("Current file:"))) {
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(label);
            return face ? face->text(QAccessible::Name) : QString();
        }
    }
    return {};
}

QStringList MenuTexts(QMenuBar* bar, int index) {
    QStringList texts;
    for (auto* action : bar->actions()[index]->menu()->actions())
        texts.append(action->isSeparator() ? QString("-") : action->text());
    return texts;
}

// A KVS table of two evaporating and three condensing temperatures; the 80 F row lies below
// the threshold and is not taken.
QByteArray Table() {
    CompressorRecord record;
    record.ApplyNewDefaults();
    record.condCount = 3;
    record.evapCount = 2;
    for (int r = 0; r < 3; ++r) {
        record.condTemp[r] = 80 + 10 * r;
        record.capacity[r] = { 3100.0 - 150 * r, 4100.0 - 150 * r };
        record.power[r] = { 300.0 + 20 * r, 310.0 + 20 * r };
        record.capacityText[r] = { "3100", "4100" };
        record.powerText[r] = { "300", "310" };
    }
    record.evapTemp = { -10, 0 };
    return QByteArray::fromStdString(FormatTable(record));
}

[[nodiscard]] bool WriteText(const QString& path, const QByteArray& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

} // namespace

void CommandsTest::menusAndKeysReadAsDesigned() {
    Session session;
    QVERIFY(session.Start());
    QMenuBar* bar = session.Frame().menuBar();
    QCOMPARE(bar->actions().size(), 2);
    QCOMPARE(MenuTexts(bar, 0),
        QStringList({ "&New\tCtrl+N", "&Open...\tCtrl+O", "Import CSV Map...", "Import Coefficients...", "-",
            "Save &As...", "Delete... \tCtrl+D", "Export KVS Table...", "Export CSV...",
            "Export Coefficients...", "Export Plot...", "-", "E&xit" }));
    QCOMPARE(MenuTexts(bar, 1), QStringList({ "&Help Topics", "&Help", "-", "&About Velutra..." }));
    QCOMPARE(session.Frame().Command(kCmdDelete)->shortcut(), QKeySequence());

    // Ctrl+D reaches nothing, while the same way of pressing keys does reach a bound command.
    QApplication::setActiveWindow(&session.Frame());
    QVERIFY(QTest::qWaitForWindowActive(&session.Frame()));
    QTest::keyClick(&session.Frame(), Qt::Key_D, Qt::ControlModifier);
    QVERIFY(session.dialogs.requests.isEmpty());
    QTest::keyClick(&session.Frame(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(session.dialogs.requests.size(), 1);
    QCOMPARE(session.dialogs.requests[0].caption, QString("Open"));
    QTest::keyClick(&session.Frame(), Qt::Key_T, Qt::ControlModifier);
    QCOMPARE(session.dialogs.requests.size(), 2);
    QCOMPARE(session.dialogs.requests[1].filter, QString("KVS tab files (*.tab);;All Files (*.*)"));
}

void CommandsTest::commandsEnabledPerForm_data() {
    QTest::addColumn<int>("form");
    QTest::addColumn<bool>("smoothedMapCommands");
    QTest::newRow("description") << kFormDescription << false;
    QTest::newRow("map") << kFormMap << false;
    QTest::newRow("plots") << kFormPlots << false;
    QTest::newRow("smoothed map") << kFormSmoothedMap << true;
}

void CommandsTest::commandsEnabledPerForm() {
    QFETCH(int, form);
    QFETCH(bool, smoothedMapCommands);
    Session session;
    QVERIFY(session.StartAt(form));
    for (const int id : { kCmdNew, kCmdOpen, kCmdDelete, kCmdImport, kCmdImportCsvMap, kCmdImportCoefficients,
             kCmdSave, kCmdExit, kCmdHelp, kCmdAbout })
        QVERIFY2(session.Frame().Command(id)->isEnabled(), qPrintable(QString::number(id)));
    QCOMPARE(session.Frame().Command(kCmdSaveAs)->isEnabled(), smoothedMapCommands);
    QCOMPARE(session.Frame().Command(kCmdExportTable)->isEnabled(), smoothedMapCommands);
    QCOMPARE(session.Frame().Command(kCmdExportCsv)->isEnabled(), smoothedMapCommands);
    QCOMPARE(session.Frame().Command(kCmdExportCoefficients)->isEnabled(), smoothedMapCommands);
    // Only the plots have a plot to export; elsewhere the command is not offered.
    QAction* exportPlot = session.Frame().Command(kCmdExportPlot);
    QCOMPARE(exportPlot->isEnabled(), form == kFormPlots);
    QCOMPARE(exportPlot->isVisible(), form == kFormPlots);
}

void CommandsTest::newFromLaterFormReturnsToDescription() {
    Session session;
    QVERIFY(session.StartAt(kFormPlots));
    session.Record().manufacturer = "Edited";
    session.Record().newRefrigerantIndex = 4;
    session.Trigger(kCmdNew);
    QCOMPARE(session.FormId(), kFormDescription);
    QCOMPARE(session.Record().manufacturer, std::string("Manufacturer"));
    QCOMPARE(session.Record().newRefrigerantIndex, 4);
    QCOMPARE(session.Frame().windowTitle(), QString("Compressor Model: Description"));
}

void CommandsTest::openCancelTruncatedAndGoodFile() {
    Session session;
    QVERIFY(session.StartAt(kFormMap));
    QPointer<FormView> map = session.Frame().CurrentForm();
    const CompressorRecord before = session.Record();
    session.Trigger(kCmdOpen);
    QCOMPARE(session.dialogs.requests[0].folder, QDir::current().filePath("Maps"));
    QCOMPARE(session.dialogs.requests[0].filter, QString("Compressor files (*.cmp);;All Files (*.*)"));

    // A truncated file is reported and changes nothing.
    folder_->WriteTruncated(folder_->Path("Maps/short.cmp"));
    session.dialogs.answers.push_back(folder_->Path("Maps/short.cmp"));
    session.Trigger(kCmdOpen);
    QCOMPARE(session.messages.errors.size(), 1);
    QVERIFY(session.messages.errors[0].contains("short.cmp"));
    QVERIFY(session.messages.errors[0].startsWith("   ") && session.messages.errors[0].endsWith("   "));
    QVERIFY(session.Record().PersistentFieldsEqual(before));
    QCOMPARE(session.Record().newRecordDefaultsPending, before.newRecordDefaultsPending);
    QCOMPARE(session.Record().recordLoaded, 0);
    QCOMPARE(session.Frame().CurrentFileText(), QString("Current file: not yet read"));
    QVERIFY(map);
    QCOMPARE(session.FormId(), kFormMap);

    // A good file returns to the description form from any form.
    QVERIFY(session.GoTo(kFormSmoothedMap));
    session.Record().convertRefrigerant = 1;
    session.Record().plotType = 2;
    const QString path = folder_->Path("Maps/acme.cmp");
    folder_->WriteRecord(path, WorkingFolder::SampleRecord());
    session.dialogs.answers.push_back(path);
    session.Trigger(kCmdOpen);
    QCOMPARE(session.FormId(), kFormDescription);
    QVERIFY(session.Record().PersistentFieldsEqual(WorkingFolder::SampleRecord()));
    QCOMPARE(session.Frame().CurrentFileText(), "Current file: " + path);
    QCOMPARE(ScreenReaderTextOfStatusLabel(session.Frame()), "Current file: " + path);
    QCOMPARE(session.Record().convertRefrigerant, 0);
    QCOMPARE(session.Record().plotType, 2);

    // A file of one of the newer refrigerants shows it in both boxes; a code past the list (a
    // newer program's file) is refused with the file's name and the code, and changes nothing.
    CompressorRecord newer = WorkingFolder::SampleRecord();
    newer.refrigerantIndex = 13;
    const QString r449a = folder_->Path("Maps/r449a.cmp");
    folder_->WriteRecord(r449a, newer);
    session.dialogs.answers.push_back(r449a);
    session.Trigger(kCmdOpen);
    QCOMPARE(session.Find<QComboBox>("Refrigerant")->currentText(), QString("R449A"));
    QCOMPARE(session.Find<QComboBox>("New refrigerant")->currentText(), QString("R449A"));
    newer.refrigerantIndex = 17;
    const QString future = folder_->Path("Maps/future.cmp");
    folder_->WriteRecord(future, newer);
    session.dialogs.answers.push_back(future);
    const auto errorsBefore = session.messages.errors.size();
    session.Trigger(kCmdOpen);
    QCOMPARE(session.messages.errors.size(), errorsBefore + 1);
    QVERIFY(session.messages.errors.back().contains("future.cmp"));
    QVERIFY(session.messages.errors.back().contains("refrigerant code 17"));
    QCOMPARE(session.Record().refrigerantIndex, 13);
    QCOMPARE(session.Find<QComboBox>("Refrigerant")->currentText(), QString("R449A"));
}

void CommandsTest::saveAsCancelFailureAndSecondDot() {
    Session session;
    QVERIFY(session.StartAt(kFormSmoothedMap));
    session.Trigger(kCmdSaveAs);
    QVERIFY(session.dialogs.requests[0].confirmOverwrite);
    QVERIFY(session.messages.errors.isEmpty());
    QCOMPARE(QDir("Maps").entryList(QDir::Files), QStringList());

    session.dialogs.answers.push_back(folder_->Path("no-such-folder/x.cmp"));
    session.Trigger(kCmdSaveAs);
    QCOMPARE(session.messages.errors.size(), 1);
    QVERIFY(session.messages.errors[0].contains("no-such-folder"));
    QCOMPARE(session.Frame().CurrentFileText(), QString("Current file: not yet read"));

    // The name is cut at its second dot, and what was written reads back as the record.
    QDir().mkdir("a.b");
    session.dialogs.answers.push_back(folder_->Path("a.b/x.cmp.cmp"));
    session.Trigger(kCmdSaveAs);
    QCOMPARE(session.messages.errors.size(), 1);
    QVERIFY(QFile::exists(folder_->Path("a.b/x.cmp")));
    QVERIFY(!QFile::exists(folder_->Path("a.b/x.cmp.cmp")));
    QCOMPARE(session.Frame().CurrentFileText(), "Current file: " + folder_->Path("a.b/x.cmp"));
    CompressorRecord reread;
    ReadCompressorFile(QFile::encodeName(folder_->Path("a.b/x.cmp")).toStdString(), reread);
    QVERIFY(reread.PersistentFieldsEqual(session.Record()));
}

void CommandsTest::deleteAsksAndRemoves() {
    Session session;
    QVERIFY(session.Start());
    const QString path = folder_->Path("Maps/old.cmp");
    folder_->WriteRecord(path, WorkingFolder::SampleRecord());

    session.messages.answerYes = false;
    session.dialogs.answers.push_back(path);
    session.Trigger(kCmdDelete);
    QCOMPARE(session.messages.questions, QStringList({ "Do you really want to delete file old.cmp?" }));
    QVERIFY(QFile::exists(path));

    session.messages.answerYes = true;
    session.dialogs.answers.push_back(path);
    session.Trigger(kCmdDelete);
    QVERIFY(!QFile::exists(path));
    QVERIFY(session.messages.errors.isEmpty());
    QCOMPARE(session.FormId(), kFormDescription);

    // Gone in the meantime: the failure is reported, naming the file.
    session.dialogs.answers.push_back(path);
    session.Trigger(kCmdDelete);
    QCOMPARE(session.messages.errors.size(), 1);
    QVERIFY(session.messages.errors[0].contains("old.cmp"));
}

void CommandsTest::importReloadsDescriptionOrChangesNothing() {
    Session session;
    QVERIFY(session.StartAt(kFormMap));
    session.Record().manufacturer = "Edited";
    session.Record().refrigerantIndex = 3;
    const QString path = folder_->Path("Maps/two.tab");
    QVERIFY(WriteText(path, Table()));
    session.dialogs.answers.push_back(path);
    session.Trigger(kCmdImport);
    QCOMPARE(session.FormId(), kFormDescription);
    const CompressorRecord& record = session.Record();
    QCOMPARE(record.condCount, 2);
    QCOMPARE(record.evapCount, 2);
    QCOMPARE(record.condTempText[0][0], std::string("90"));
    QCOMPARE(record.powerText[1][1], std::string("350.0"));
    QCOMPARE(record.manufacturer, std::string("Manufacturer"));
    QCOMPARE(record.refrigerantIndex, 3);
    QCOMPARE(record.newRecordDefaultsPending, 0);
    // The description form clears the flag when it is shown.
    QCOMPARE(record.reloadFormsFromRecord, 0);
    QCOMPARE(session.Frame().CurrentFileText(), "Current file: " + path);

    // A cancelled import leaves the form where it is; a malformed table changes nothing.
    QVERIFY(session.GoTo(kFormPlots));
    session.Trigger(kCmdImport);
    QCOMPARE(session.FormId(), kFormPlots);
    const CompressorRecord before = session.Record();
    QByteArray table = Table();
    table.replace("     2        NUMBER OF DATA POINTS", "     9        NUMBER OF DATA POINTS");
    QVERIFY(WriteText(folder_->Path("Maps/wide.tab"), table));
    session.dialogs.answers.push_back(folder_->Path("Maps/wide.tab"));
    session.Trigger(kCmdImport);
    QCOMPARE(session.messages.errors.size(), 1);
    QVERIFY(session.messages.errors[0].contains("wide.tab"));
    QVERIFY(session.Record().PersistentFieldsEqual(before));
    QCOMPARE(session.FormId(), kFormPlots);
    QCOMPARE(session.Frame().CurrentFileText(), "Current file: " + path);
}

// A maker's CSV map and a ten-coefficient file come in as a table does: the description form
// shows the record read from them; a file that cannot be used changes nothing.
void CommandsTest::importCsvMapAndCoefficients() {
    Session session;
    QVERIFY(session.StartAt(kFormPlots, { VELUTRA_SOURCE_DIR "/Maps/Example-R134a.cmp" }));
    const QString csv = VELUTRA_SHARED_DIR "/maps/secop-xv72-r600a-2000rpm.csv";
    session.dialogs.answers.push_back(csv);
    session.Trigger(kCmdImportCsvMap);
    QCOMPARE(session.FormId(), kFormDescription);
    QCOMPARE(session.Record().refrigerantIndex, 5);
    QCOMPARE(session.Record().unitsSI, 1);
    QCOMPARE(session.Record().condCount, 3);
    QCOMPARE(session.Record().evapCount, 8);
    QCOMPARE(session.Record().manufacturer, std::string("Manufacturer"));
    QCOMPARE(session.Frame().CurrentFileText(), "Current file: " + csv);

    // Capacity 5000 + 50 S - 20 D and power 100 + 2 D Btu/h and W, from -20..20 F by 90..130 F.
    CoefficientSet set;
    set.refrigerant = "R290";
    set.manufacturer = "Acme";
    set.suctionGasTemp = 90;
    set.liquidTemp = 90;
    set.evapMin = -20;
    set.evapMax = 20;
    set.condMin = 90;
    set.condMax = 130;
    set.capacity.c = { 5000, 50, -20 };
    set.power.c = { 100, 0, 2 };
    set.hasMassFlow = false;
    const QString coefficients = folder_->Path("Maps/acme.json");
    WriteCoefficientFile(QFile::encodeName(coefficients).toStdString(), set);
    QVERIFY(session.GoTo(kFormMap));
    session.dialogs.answers.push_back(coefficients);
    session.Trigger(kCmdImportCoefficients);
    QCOMPARE(session.FormId(), kFormDescription);
    const CompressorRecord& record = session.Record();
    QCOMPARE(record.refrigerantIndex, 2);
    QCOMPARE(record.unitsEnglish, 1);
    QCOMPARE(record.manufacturer, std::string("Acme"));
    const double s = std::stod(record.evapTempText[0]);
    const double d = std::stod(record.condTempText[0][0]);
    QVERIFY(std::abs(std::stod(record.capacityText[0][0]) - (5000 + 50 * s - 20 * d)) < 0.01);
    QVERIFY(std::abs(std::stod(record.powerText[0][0]) - (100 + 2 * d)) < 0.01);

    // A coefficient file with an inverted range is refused by name.
    const CompressorRecord before = session.Record();
    const QString broken = folder_->Path("Maps/broken.json");
    QByteArray text = QByteArray::fromStdString(EncodeCoefficientsJson(set));
    QVERIFY(text.contains("\"max\": 20.0"));
    QVERIFY(WriteText(broken, text.replace("\"max\": 20.0", "\"max\": -30.0")));
    session.dialogs.answers.push_back(broken);
    session.Trigger(kCmdImportCoefficients);
    QCOMPARE(session.messages.errors.size(), 1);
    QVERIFY2(session.messages.errors[0].contains("broken.json"), qPrintable(session.messages.errors[0]));
    QVERIFY(session.Record().PersistentFieldsEqual(before));
}

// The whole road through the forms: the plots form analyses the example map with the real
// property library and its "Next >>" hands the map to the smoothed-map form's export.
void CommandsTest::exportAfterPlotsWritesTheAnalysedMap() {
    Session session;
    QVERIFY(session.StartAt(kFormPlots, { VELUTRA_SOURCE_DIR "/Maps/Example-R134a.cmp" }));
    QVERIFY2(session.messages.errors.isEmpty(), qPrintable(session.messages.errors.join("\n")));
    // The example map rates 820 Btu/h for 200 W at -10 F / 130 F.
    QVERIFY(std::abs(session.Record().mapRatingEER / 4.1 - 1) < 1e-9);

    QVERIFY(session.GoTo(kFormSmoothedMap));
    const QString entered = folder_->Path("Maps/entered.tab");
    session.dialogs.answers.push_back(entered);
    session.Trigger(kCmdExportTable);
    QFile table(entered);
    QVERIFY(table.open(QIODevice::ReadOnly));
    QVERIFY(table.readAll().contains("       130       230.0       380.0       580.0       820.0"));

    // With linear smoothing the plots form rebuilds the map from the fits, and that is exported.
    QVERIFY(session.Press("<< Back"));
    QVERIFY(session.Press("<< Back"));
    QCOMPARE(session.FormId(), kFormMap);
    session.Record().smoothingMethod = 1;
    QVERIFY(session.Press("Next >>"));
    QVERIFY(std::isfinite(session.Record().smoothedRatingEER) && session.Record().smoothedRatingEER > 2);
    QVERIFY(session.GoTo(kFormSmoothedMap));
    const QString smoothed = folder_->Path("Maps/smoothed.tab");
    session.dialogs.answers.push_back(smoothed);
    session.Trigger(kCmdExportTable);
    QFile again(smoothed);
    QVERIFY(again.open(QIODevice::ReadOnly));
    QVERIFY(!again.readAll().contains("       130       230.0       380.0       580.0       820.0"));
    QCOMPARE(
        session.Frame().CurrentFileText(), "Current file: " VELUTRA_SOURCE_DIR "/Maps/Example-R134a.cmp");

    session.dialogs.answers.push_back(folder_->Path("no-such-folder/out.tab"));
    session.Trigger(kCmdExportTable);
    QCOMPARE(session.messages.errors.size(), 1);
    QVERIFY(session.messages.errors[0].contains("no-such-folder"));
}

void CommandsTest::recentFileListKeepsFourNewestFirst() {
    RecentFileList recent;
    for (const char* name : { "a.cmp", "b.cmp", "c.cmp", "d.cmp", "e.cmp", "c.cmp" })
        recent.Add(folder_->Path(name));
    QCOMPARE(recent.Files(),
        QStringList({ folder_->Path("c.cmp"), folder_->Path("e.cmp"), folder_->Path("d.cmp"),
            folder_->Path("b.cmp") }));
}
