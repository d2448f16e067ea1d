#include "DrawnChart.h"
#include "GuiTests.h"
#include "ScopedEnvironment.h"
#include "Session.h"
#include "app/CommandIds.h"
#include "app/HelpWindow.h"
#include "app/SwitchFormEvent.h"
#include "forms/GraphControl.h"
#include "props/PropertyEngine.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <cmath>

using namespace velutra;

// Started without a file the program shows a New record; its Next applies the default axes of
// the record's units while they are pending, and switches forms only after the click handler.
void FrameTest::startWithoutFileThenNextAppliesDefaultAxes() {
    Session session;
    QVERIFY(session.Start());
    CompressorRecord& record = session.Record();
    CompressorRecord expected;
    expected.ApplyNewDefaults();
    QVERIFY(record.PersistentFieldsEqual(expected));
    QCOMPARE(record.newRecordDefaultsPending, 1);
    QCOMPARE(record.firstUpdatePending, 0);
    QCOMPARE(session.Frame().CurrentFileText(), QString("Current file: not yet read"));
    QCOMPARE(session.Frame().windowTitle(), QString("Compressor Model: Description"));
    QCOMPARE(session.FormId(), kFormDescription);
    QCOMPARE(record.helpContext, 100);
    QCOMPARE(QString::fromStdString(record.mapsDir), QDir::current().filePath("Maps"));
    // A fixed-size window without a maximise button.
    QCOMPARE(session.Frame().minimumSize(), session.Frame().maximumSize());
    QVERIFY(!(session.Frame().windowFlags() & Qt::WindowMaximizeButtonHint));

    session.Find<QCheckBox>("SI")->click();
    QPointer<FormView> description = session.Frame().CurrentForm();
    const QSize frameSize = session.Frame().size();
    QVERIFY(session.Click("Next >>"));
    // The click handler has returned; the request waits in the queue.
    QCOMPARE(session.FormId(), kFormDescription);
    QVERIFY(description);
    session.Settle();
    QCOMPARE(session.FormId(), kFormMap);
    QVERIFY(description.isNull());
    QCOMPARE(session.Frame().CurrentForm()->FormId(), kFormMap);
    QCOMPARE(session.Frame().centralWidget(), session.Frame().CurrentForm());
    // The new form is shown and the frame keeps its size around it.
    QVERIFY(session.Frame().CurrentForm()->isVisible());
    QCOMPARE(session.Frame().size(), frameSize);
    QCOMPARE(record.condCount, 3);
    QCOMPARE(record.condTempText[2][1], std::string("65.0"));
    QCOMPARE(record.condTempText[3][0], std::string(""));
    QCOMPARE(record.evapTempText[0], std::string("-35.0"));

    // Axis edits on the map form are replaced again while the defaults are pending.
    session.Type("Condensing temperature row 1", "47.5");
    QVERIFY(session.Press("<< Back"));
    QCOMPARE(record.condTempText[0][0], std::string("47.5"));
    QVERIFY(session.Press("Next >>"));
    QCOMPARE(record.condTempText[0][0], std::string("45.0"));

    // A record read from a file keeps its axes.
    folder_->WriteRecord(folder_->Path("Maps/acme.cmp"), WorkingFolder::SampleRecord());
    session.dialogs.answers.push_back(folder_->Path("Maps/acme.cmp"));
    session.Trigger(kCmdOpen);
    QCOMPARE(session.FormId(), kFormDescription);
    QVERIFY(session.Press("Next >>"));
    QCOMPARE(record.condCount, 2);
    QCOMPARE(record.condTempText[0][0], std::string("40.0"));
}

// The file on the command line is named as typed and Ctrl+S writes it back without a dialog;
// an unreadable or missing file stops the start with a message naming it.
void FrameTest::startWithFileNamesItAsTypedAndCtrlSWritesIt() {
    const CompressorRecord sample = WorkingFolder::SampleRecord();
    folder_->WriteRecord(folder_->Path("Maps/acme.cmp"), sample);
    Session session;
    // Typed with a detour, to show that the name is not normalised.
    QVERIFY(session.Start({ "./Maps/../Maps/acme.cmp" }));
    QCOMPARE(session.Frame().CurrentFileText(), QString("Current file: ./Maps/../Maps/acme.cmp"));
    QVERIFY(session.Record().PersistentFieldsEqual(sample));
    QCOMPARE(session.Record().newRecordDefaultsPending, 0);
    QCOMPARE(session.Record().currentFileName, std::string("./Maps/../Maps/acme.cmp"));
    QVERIFY(session.messages.errors.isEmpty());
    session.Record().model = "K-8";
    session.Trigger(kCmdSave);
    QVERIFY(session.dialogs.requests.isEmpty());
    CompressorRecord reread;
    ReadCompressorFile(QFile::encodeName(folder_->Path("Maps/acme.cmp")).toStdString(), reread);
    QCOMPARE(reread.model, std::string("K-8"));

    folder_->WriteTruncated(folder_->Path("short.cmp"));
    Session truncated;
    QVERIFY(!truncated.Start({ "short.cmp" }));
    QVERIFY(truncated.app.Frame() == nullptr);
    QCOMPARE(truncated.messages.errors.size(), 1);
    QVERIFY(truncated.messages.errors[0].contains("short.cmp"));
    QVERIFY(truncated.messages.errors[0].startsWith("   "));

    Session missing;
    QVERIFY(!missing.Start({ "missing.cmp" }));
    QCOMPARE(missing.messages.errors.size(), 1);
    QVERIFY(missing.messages.errors[0].contains("missing.cmp"));
}

void FrameTest::switchIgnoresUnknownAndCurrentIds_data() {
    QTest::addColumn<int>("commandId");
    QTest::newRow("current form") << kFormDescription;
    QTest::newRow("Delete command") << kCmdDelete;
    QTest::newRow("import command") << kCmdImport;
    QTest::newRow("between form ids") << 32775;
    QTest::newRow("zero") << 0;
    QTest::newRow("negative") << -32773;
}

void FrameTest::switchIgnoresUnknownAndCurrentIds() {
    QFETCH(int, commandId);
    Session session;
    QVERIFY(session.Start());
    QPointer<FormView> form = session.Frame().CurrentForm();
    QCoreApplication::postEvent(&session.Frame(), new SwitchFormEvent(commandId));
    session.Settle();
    QVERIFY(form);
    QCOMPARE(session.Frame().CurrentForm(), form.data());
    QCOMPARE(session.FormId(), kFormDescription);
}

// Every button of every form is named for assistive tools as it reads.
void FrameTest::navigationButtonsReachTheirTargets() {
    const QString map = "Compressor Model: Manufacturer's Map Data (Manufacturer model Model)";
    const QString plots = "Compressor Model: Graphic Analysis (Manufacturer model Model)";
    const QString smoothed = "Compressor Model: Smoothed Map (Manufacturer model Model)";
    const QString description = "Compressor Model: Description";
    const struct {
        const char* button;
        int target;
        QString caption;
        int help;
    } steps[] = {
        { "Next >>", kFormMap, map, 110 },
        { "<< Back", kFormDescription, description, 100 },
        { "Next >>", kFormMap, map, 110 },
        { "Next >>", kFormPlots, plots, 120 },
        { "<< Back", kFormMap, map, 110 },
        { "Next >>", kFormPlots, plots, 120 },
        { "Next >>", kFormSmoothedMap, smoothed, 130 },
        { "<< Back", kFormPlots, plots, 120 },
        { "Next >>", kFormSmoothedMap, smoothed, 130 },
        { "New Run >>", kFormDescription, description, 100 },
    };
    Session session;
    QVERIFY(session.Start());
    for (const auto& step : steps) {
        QVERIFY(session.Press(step.button));
        QCOMPARE(session.FormId(), step.target);
        QCOMPARE(session.Frame().windowTitle(), step.caption);
        QCOMPARE(session.Record().helpContext, step.help);
        for (auto* button : session.Frame().CurrentForm()->findChildren<QAbstractButton*>())
            QCOMPARE(button->accessibleName(), button->text());
    }
}

// A missing property library is reported and the form stays; with the library found again,
// Next sets up the refrigerant chosen in the box.
void FrameTest::descriptionNextSetsUpRefrigerantOrReportsMissingLibrary() {
    Session session;
    QVERIFY(session.Start());
    {
        test::ScopedEnvironment library(
            "VELUTRA_PROPERTY_LIBRARY", qPrintable(folder_->Path("no-such-library.so")));
        QVERIFY(session.Press("Next >>"));
        QCOMPARE(session.messages.errors.size(), 1);
        QVERIFY(session.messages.errors[0].contains("no-such-library.so"));
        QVERIFY(!session.Frame().Engine().IsSetUp());
        QCOMPARE(session.FormId(), kFormDescription);
    }
    auto* refrigerant = session.Find<QComboBox>("Refrigerant");
    refrigerant->setCurrentIndex(refrigerant->findText("R290"));
    QVERIFY(session.Press("Next >>"));
    QCOMPARE(session.FormId(), kFormMap);
    QCOMPARE(session.Record().refrigerantIndex, 2);
    QCOMPARE(session.messages.errors.size(), 1);
    PropertyEngine& engine = session.Frame().Engine();
    QVERIFY(engine.IsSetUp());
    QCOMPARE(engine.refrigerant, 2);
    // Propane, 44.09562 g/mol (NIST Chemistry WebBook).
    QVERIFY(std::abs(engine.MolarMass() / 44.09562 - 1) < 1e-4);
}

void FrameTest::helpShowsTopicOfVisibleForm() {
    Session session;
    QVERIFY(session.StartAt(kFormMap));
    session.Trigger(kCmdHelp);
    HelpWindow* help = session.Frame().Help();
    QVERIFY(help->isVisible());
    QCOMPARE(help->Source(), QUrl("qrc:/help/topic110.html"));
    session.Trigger(kCmdHelpTopics);
    QCOMPARE(help->Source(), QUrl("qrc:/help/contents.html"));
    // Every page the help window can show is shipped, with a heading for the user.
    for (const int topic : { 0, 100, 110, 120, 130 }) {
        QFile page(":" + HelpWindow::TopicUrl(topic).path());
        QVERIFY2(page.open(QIODevice::ReadOnly), qPrintable(page.fileName()));
        QVERIFY(page.readAll().contains("<h1>"));
    }
}

// A condensing row above the critical point is named once, when the plots are computed, with its
// temperature and the property library's reason.
void FrameTest::plotsNameTheRowsTheyCannotCompute() {
    Session session;
    QVERIFY(session.Start({ VELUTRA_SOURCE_DIR "/Maps/Example-R134a.cmp" }));
    session.Record().condTempText[2] = { "220", "220" };
    QVERIFY(session.GoTo(kFormPlots));
    QCOMPARE(session.messages.errors.size(), 1);
    const QString message = session.messages.errors[0];
    QVERIFY2(message.contains("row 3 (condensing 220.0 F)"), qPrintable(message));
    QVERIFY2(message.contains("critical point"), qPrintable(message));
    QVERIFY(message.startsWith("   ") && message.endsWith("   "));

    // The plots leave the row out rather than drawing it as zero: no curve for it, and no
    // efficiency points from it, also once the map is rebuilt from the fits.
    auto* graph = session.Frame().CurrentForm()->findChild<GraphControl*>();
    QVERIFY(graph);
    const int columns = session.Record().evapCount;
    DrawnChart drawn = ReadChart(*graph);
    QVERIFY2(drawn.fault.isEmpty(), qPrintable(drawn.fault));
    QCOMPARE(drawn.sets.size(), 3);
    QCOMPARE(drawn.sets[0].points.size(), columns);
    QCOMPARE(drawn.sets[1].points.size(), columns);
    QCOMPARE(drawn.sets[2].points.size(), 0);
    // The scale is that of the rows drawn: no capacity reaches 2000 Btuh.
    QVERIFY(drawn.y.maximum < 2000);
    for (const QPointF& point : drawn.AllPoints())
        QVERIFY(point.y() > 0);
    auto choose = [&session](const QString& caption) {
        for (auto* button : session.Frame().CurrentForm()->findChildren<QAbstractButton*>())
            if (button->text() == caption)
                button->click();
    };
    choose("Isentropic efficiency");
    QCOMPARE(ReadChart(*graph).AllPoints().size(), 2 * columns);
    choose("Linear isentropic efficiency *");
    QCOMPARE(ReadChart(*graph).AllPoints().size(), 2 * columns);
    choose("Compressor capacity");
    drawn = ReadChart(*graph);
    QCOMPARE(drawn.sets.size(), 3);
    QCOMPARE(drawn.sets[0].points.size(), columns);
    QCOMPARE(drawn.sets[1].points.size(), columns);
    QCOMPARE(drawn.sets[2].points.size(), 0);
    // The same failures are not shown again after the smoothing change.
    QCOMPARE(session.messages.errors.size(), 1);
}
