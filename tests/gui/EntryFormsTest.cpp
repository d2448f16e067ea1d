#include "GuiTests.h"
#include "Session.h"
#include "app/CommandIds.h"
#include "forms/UpDownControl.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>

using namespace velutra;

namespace {

QCheckBox* Box(Session& session, const QString& caption) {
    return session.Find<QCheckBox>(caption);
}

// The texts of the six condensing fields of one block, top to bottom.
QStringList CondColumn(Session& session, bool powerBlock) {
    QStringList texts;
    for (int r = 1; r <= 6; ++r)
        texts.append(session.Text(
            QString("Condensing temperature row %1%2").arg(r).arg(powerBlock ? ", power block" : "")));
    return texts;
}

bool Enabled(Session& session, const QString& name) {
    auto* widget = session.Find(name);
    return widget && widget->isEnabled();
}

// The text of the label or heading that contains a caption.
QString Heading(Session& session, const QString& caption) {
    for (auto* label : session.Frame().CurrentForm()->findChildren<QLabel*>())
        if (label->text().contains(caption))
            return label->text();
    return {};
}

// The description form reaches the map form without the default axes, so the map form loads
// whatever the record holds.
void EnterMapAsRecorded(Session& session) {
    session.Record().newRecordDefaultsPending = 0;
    QVERIFY(session.Press("Next >>"));
}

} // namespace

void EntryFormsTest::descriptionStartsWithNewValuesAndSwitchesUnits() {
    Session session;
    QVERIFY(session.Start());
    QCOMPARE(session.Text("Manufacturer"), QString("Manufacturer"));
    QCOMPARE(session.Text("Model"), QString("Model"));
    QCOMPARE(session.Text("Voltage"), QString("115"));
    QCOMPARE(session.Text("Speed (rpm)"), QString("3450"));
    QCOMPARE(session.Text("Capacity (Btuh)"), QString("Capacity"));
    QCOMPARE(session.Text("EER"), QString("EER"));
    auto* refrigerant = session.Find<QComboBox>("Refrigerant");
    auto* newRefrigerant = session.Find<QComboBox>("New refrigerant");
    QCOMPARE(refrigerant->currentText(), QString("R134a"));
    // Every refrigerant, sorted by the number in its name, nothing typed.
    QStringList listed;
    for (int i = 0; i < refrigerant->count(); ++i)
        listed << refrigerant->itemText(i);
    QCOMPARE(listed,
        QStringList({ "R22", "R32", "R134a", "R152a", "R290", "R404A", "R407C", "R410A", "R448A", "R449A",
            "R454B", "R454C", "R507A", "R513A", "R600a", "R1234yf", "R1234ze(E)" }));
    QVERIFY(!refrigerant->isEditable() && !newRefrigerant->isEditable());
    // A screen reader hears the refrigerant as the box's value.
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(newRefrigerant);
    QVERIFY(face);
    QCOMPARE(face->text(QAccessible::Value), QString("R134a"));
    QVERIFY(Box(session, "English")->isChecked());
    QVERIFY(!Box(session, "SI")->isChecked());
    QVERIFY(!Box(session, "Convert to new refrigerant")->isChecked());
    QVERIFY(!newRefrigerant->isEnabled());
    QCOMPARE(newRefrigerant->currentText(), QString("R134a"));
    QCOMPARE(Heading(session, "Capacity ("), QString("Capacity (Btuh)"));

    // SI takes the values as they were last taken: the typed manufacturer is replaced.
    session.Type("Manufacturer", "Acme");
    Box(session, "SI")->click();
    QVERIFY(Box(session, "SI")->isChecked());
    QVERIFY(!Box(session, "English")->isChecked());
    QCOMPARE(Heading(session, "Capacity ("), QString("Capacity (Kcalh)"));
    QVERIFY(session.Find("Capacity (Kcalh)"));
    QVERIFY(!session.Find("Capacity (Btuh)"));
    QCOMPARE(session.Text("Manufacturer"), QString("Manufacturer"));
    Box(session, "SI")->click();
    QVERIFY(Box(session, "SI")->isChecked());
    QCOMPARE(session.Record().unitsSI, 0);

    // The conversion box follows its check box; the record waits for Next.
    Box(session, "Convert to new refrigerant")->click();
    QVERIFY(newRefrigerant->isEnabled());
    newRefrigerant->setCurrentIndex(newRefrigerant->findText("R449A"));
    Box(session, "Convert to new refrigerant")->click();
    QVERIFY(!newRefrigerant->isEnabled());
    Box(session, "Convert to new refrigerant")->click();
    QCOMPARE(session.Record().convertRefrigerant, 0);
    refrigerant->setCurrentIndex(refrigerant->findText("R404A"));
    session.Type("Model", "K-9");
    QVERIFY(session.Press("Next >>"));
    const CompressorRecord& record = session.Record();
    QCOMPARE(record.convertRefrigerant, 1);
    QCOMPARE(record.newRefrigerantIndex, 13);
    QCOMPARE(record.refrigerantIndex, 3);
    QCOMPARE(record.model, std::string("K-9"));
    QCOMPARE(record.unitsSI, 1);
    QCOMPARE(record.unitsEnglish, 0);

    // Back on the form, both boxes show the map's refrigerant and the label its units.
    QVERIFY(session.Press("<< Back"));
    QCOMPARE(session.Find<QComboBox>("New refrigerant")->currentText(), QString("R404A"));
    QCOMPARE(session.Text("Capacity (Kcalh)"), QString("Capacity"));
    // New and Open reload the form in place; a cancelled Open keeps what was typed.
    session.Trigger(kCmdNew);
    QCOMPARE(session.FormId(), kFormDescription);
    QCOMPARE(session.Text("Model"), QString("Model"));
    QVERIFY(Box(session, "English")->isChecked());
    QVERIFY(session.Find("Capacity (Btuh)"));
    session.Type("Model", "typed");
    session.Trigger(kCmdOpen);
    QCOMPARE(session.Text("Model"), QString("typed"));
    folder_->WriteRecord(folder_->Path("Maps/acme.cmp"), WorkingFolder::SampleRecord());
    session.dialogs.answers.push_back(folder_->Path("Maps/acme.cmp"));
    session.Trigger(kCmdOpen);
    QCOMPARE(session.Text("Model"), QString("K-7"));
    QVERIFY(Box(session, "SI")->isChecked());
    QVERIFY(session.Find("Capacity (Kcalh)"));
}

void EntryFormsTest::numericEditsDropTypedNonDigitsButTakePaste() {
    Session session;
    QVERIFY(session.Start());
    for (const char* name : { "Voltage", "Speed (rpm)", "Capacity (Btuh)", "EER" }) {
        session.Type(name, "-2a3 0.5e+x");
        QCOMPARE(session.Text(name), QString("230.5"));
    }
    auto* eer = session.Find<QLineEdit>("EER");
    QTest::keyClick(eer, Qt::Key_Backspace);
    QTest::keyClick(eer, Qt::Key_Home);
    QTest::keyClick(eer, Qt::Key_Delete);
    QCOMPARE(eer->text(), QString("30."));
    // Free-text fields take anything.
    session.Type("Model", "K-7 b");
    QCOMPARE(session.Text("Model"), QString("K-7 b"));
    QApplication::clipboard()->setText("-12 V");
    eer->selectAll();
    QTest::keyClick(eer, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(eer->text(), QString("-12 V"));
}

void EntryFormsTest::newThenNextWithSIGivesSIAxesAndResetsAxisEdits() {
    Session session;
    QVERIFY(session.Start());
    session.Trigger(kCmdNew);
    Box(session, "SI")->click();
    QVERIFY(session.Press("Next >>"));
    QCOMPARE(session.FormId(), kFormMap);
    QCOMPARE(CondColumn(session, false), QStringList({ "45.0", "55.0", "65.0", "", "", "" }));
    QCOMPARE(CondColumn(session, true), QStringList({ "45.0", "55.0", "65.0", "", "", "" }));
    QStringList evap;
    for (int c = 1; c <= 8; ++c)
        evap.append(session.Text(QString("Evaporating temperature column %1").arg(c)));
    QCOMPARE(evap, QStringList({ "-35.0", "-30.0", "-25.0", "-20.0", "-15.0", "-10.0", "", "" }));
    QCOMPARE(session.Text("Number of rows"), QString("3"));
    QCOMPARE(session.Text("Columns"), QString("6"));
    QVERIFY(Heading(session, "Capacity (").contains(" Capacity (Kcalh) "));
    QVERIFY(Heading(session, "Power (").contains(" Power (W) "));
    QVERIFY(Heading(session, "Evaporator").startsWith("Evaporator tempertures (C)\n---"));
    QCOMPARE(Heading(session, "Condenser"), QString("Condenser temp (C)"));
    QVERIFY(Enabled(session, "Capacity row 3 column 6"));
    QVERIFY(!Enabled(session, "Capacity row 4 column 6"));
    QVERIFY(!Enabled(session, "Power row 3 column 7"));
    QVERIFY(!Enabled(session, "Evaporating temperature column 7"));

    session.Type("Condensing temperature row 1", "47.5");
    session.Type("Evaporating temperature column 2", "-31");
    QVERIFY(session.Press("<< Back"));
    QVERIFY(session.Press("Next >>"));
    QCOMPARE(session.Text("Condensing temperature row 1"), QString("45.0"));
    QCOMPARE(session.Text("Evaporating temperature column 2"), QString("-30.0"));

    // English units keep the layout's headings.
    QVERIFY(session.Press("<< Back"));
    Box(session, "English")->click();
    QVERIFY(session.Press("Next >>"));
    QVERIFY(Heading(session, "Capacity (").contains(" Capacity (Btuh) "));
    QCOMPARE(Heading(session, "Condenser"), QString("Condenser temp (F)"));
    QCOMPARE(session.Text("Number of rows"), QString("6"));
}

void EntryFormsTest::countStepsClampAndEnableFields() {
    Session session;
    QVERIFY(session.Start());
    session.Record().condCount = 0;
    session.Record().evapCount = 1;
    EnterMapAsRecorded(session);
    QCOMPARE(session.Text("Number of rows"), QString("0"));
    for (int r = 1; r <= 6; ++r)
        QVERIFY(!Enabled(session, QString("Condensing temperature row %1, power block").arg(r)));
    QVERIFY(Enabled(session, "Evaporating temperature column 1"));
    QVERIFY(!Enabled(session, "Evaporating temperature column 2"));

    auto* rows = session.Find<UpDownControl>("Rows up/down");
    auto* columns = session.Find<UpDownControl>("Columns up/down");
    QVERIFY(rows && columns);
    auto step = [](UpDownControl* control, Qt::Key key, int times = 1) {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(control, key);
    };
    step(rows, Qt::Key_Up);
    QCOMPARE(session.Text("Number of rows"), QString("2"));
    QVERIFY(Enabled(session, "Condensing temperature row 2"));
    QVERIFY(!Enabled(session, "Condensing temperature row 3"));
    QVERIFY(!Enabled(session, "Capacity row 2 column 2"));
    step(rows, Qt::Key_Down, 3);
    QCOMPARE(session.Text("Number of rows"), QString("1"));
    step(rows, Qt::Key_Up, 7);
    QCOMPARE(session.Text("Number of rows"), QString("6"));
    QVERIFY(Enabled(session, "Power row 6 column 1"));

    step(columns, Qt::Key_Up);
    QCOMPARE(session.Text("Columns"), QString("3"));
    QVERIFY(Enabled(session, "Capacity row 6 column 3"));
    QVERIFY(!Enabled(session, "Capacity row 6 column 4"));
    step(columns, Qt::Key_Down, 3);
    QCOMPARE(session.Text("Columns"), QString("2"));
    step(columns, Qt::Key_Up, 8);
    QCOMPARE(session.Text("Columns"), QString("8"));
    QVERIFY(Enabled(session, "Power row 6 column 8"));
    QVERIFY(Enabled(session, "Evaporating temperature column 8"));
    // The screen reader hears the count as the up/down control's value.
    QCOMPARE(columns->text(), QString("8"));

    // A step reads the typed texts first, so nothing typed is lost by it.
    session.Type("Capacity row 1 column 1", "1500");
    step(rows, Qt::Key_Down);
    QCOMPARE(session.Text("Capacity row 1 column 1"), QString("1500"));
    // A count that is not a whole number (pasted) makes the step ask for one and do nothing.
    session.Find<QLineEdit>("Number of rows")->setText("4.5");
    step(rows, Qt::Key_Up);
    QCOMPARE(session.messages.errors, QStringList { "Please enter an integer." });
    QCOMPARE(session.Text("Number of rows"), QString("4.5"));
    session.Find<QLineEdit>("Number of rows")->setText("5");

    // The count fields take no typing: the focus goes on to their up/down controls.
    QApplication::setActiveWindow(&session.Frame());
    QVERIFY(QTest::qWaitForWindowActive(&session.Frame()));
    auto* count = session.Find<QLineEdit>("Columns");
    QTest::mouseClick(count, Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(columns));
    QVERIFY(session.Press("Next >>"));
    QCOMPARE(session.Record().condCount, 5);
    QCOMPARE(session.Record().evapCount, 8);
}

void EntryFormsTest::temperatureCheckOnNext_data() {
    QTest::addColumn<bool>("si");
    QTest::addColumn<QStringList>("condTemps");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("message");
    const QString tooCold90F = "   Minimum allowed condenser temperature is 90 F   ";
    const QString tooCold32C = "   Minimum allowed condenser temperature is 32.2 C   ";
    const QString order = "   Condenser and evaporator temperatures must be in ascending order   ";
    QTest::newRow("89.9 F") << false << QStringList { "89.9", "100", "110" } << 3 << tooCold90F;
    QTest::newRow("90 F") << false << QStringList { "90", "100", "110" } << 3 << QString();
    QTest::newRow("32.1 C") << true << QStringList { "32.1", "55", "65" } << 3 << tooCold32C;
    QTest::newRow("32.2 C") << true << QStringList { "32.2", "55", "65" } << 3 << QString();
    QTest::newRow("equal rows in use") << false << QStringList { "90", "100", "100" } << 3 << order;
    QTest::newRow("third row out of use") << false << QStringList { "90", "100", "100" } << 2 << QString();
}

void EntryFormsTest::temperatureCheckOnNext() {
    QFETCH(bool, si);
    QFETCH(QStringList, condTemps);
    QFETCH(int, rows);
    QFETCH(QString, message);
    Session session;
    QVERIFY(session.Start());
    session.Record().condCount = rows;
    session.Record().evapCount = 6;
    if (si)
        Box(session, "SI")->click();
    EnterMapAsRecorded(session);
    for (int r = 0; r < condTemps.size(); ++r)
        session.Type(QString("Condensing temperature row %1").arg(r + 1), condTemps[r]);
    QVERIFY(session.Press("Next >>"));
    if (message.isEmpty()) {
        QVERIFY2(session.messages.errors.isEmpty(), qPrintable(session.messages.errors.join("\n")));
        QCOMPARE(session.FormId(), kFormPlots);
    } else {
        QCOMPARE(session.messages.errors, QStringList { message });
        QCOMPARE(session.FormId(), kFormMap);
    }
    // Stored before the check, whatever its outcome.
    QCOMPARE(QString::fromStdString(session.Record().condTempText[0][0]), condTemps[0]);
    QCOMPARE(QString::fromStdString(session.Record().condTempText[0][1]), condTemps[0]);
}

// A cell empty in both blocks lies outside the operating envelope; one value alone, or a value
// that cannot be a capacity or power, keeps the form open and names the cell.
void EntryFormsTest::cellCheckOnNextAcceptsBlankCells() {
    Session session;
    QVERIFY(session.Start());
    CompressorRecord& record = session.Record();
    record.condCount = 2;
    record.evapCount = 3;
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c) {
            record.capacityText[r][c] = std::to_string(1000 + 100 * c - 50 * r);
            record.powerText[r][c] = std::to_string(150 + 10 * c);
        }
    EnterMapAsRecorded(session);
    session.Type("Capacity row 2 column 3", "");
    QVERIFY(session.Press("Next >>"));
    QCOMPARE(session.messages.errors,
        QStringList {
            "   The map cell at 100.0 F condensing, -20.0 F evaporating has a power but no capacity. "
            "A cell outside the operating envelope leaves both empty.   " });
    QCOMPARE(session.FormId(), kFormMap);
    QCOMPARE(session.Record().capacityText[1][2], std::string()); // stored before the check

    session.messages.errors.clear();
    session.Type("Power row 1 column 1", "-150");
    session.Type("Power row 2 column 3", "");
    QVERIFY(session.Press("Next >>"));
    QCOMPARE(session.messages.errors,
        QStringList {
            "   The map cell at 90.0 F condensing, -40.0 F evaporating has a negative power (\"-150\"). "
            "Capacity and power must be positive numbers.   " });
    QCOMPARE(session.FormId(), kFormMap);

    session.messages.errors.clear();
    session.Type("Power row 1 column 1", "150");
    QVERIFY(session.Press("Next >>"));
    QCOMPARE(session.FormId(), kFormPlots);
    QCOMPARE(session.Record().powerText[1][2], std::string());
}

void EntryFormsTest::condensingFieldsMirrorTheirTwin() {
    Session session;
    QVERIFY(session.Start());
    // Loading copies nothing: twins that differ in the record differ on the form.
    session.Record().condTempText[1] = { "100", "101" };
    EnterMapAsRecorded(session);
    QCOMPARE(session.Text("Condensing temperature row 2, power block"), QString("101"));

    auto* capacityBlock = session.Find<QLineEdit>("Condensing temperature row 3");
    capacityBlock->clear();
    QCOMPARE(session.Text("Condensing temperature row 3, power block"), QString(""));
    QTest::keyClick(capacityBlock, Qt::Key_9);
    QCOMPARE(session.Text("Condensing temperature row 3, power block"), QString("9"));
    QTest::keyClick(capacityBlock, Qt::Key_5);
    QCOMPARE(session.Text("Condensing temperature row 3, power block"), QString("95"));
    // Editing inside the text keeps the cursor where the user types.
    QTest::keyClick(capacityBlock, Qt::Key_Left);
    QTest::keyClick(capacityBlock, Qt::Key_Period);
    QTest::keyClick(capacityBlock, Qt::Key_0);
    QCOMPARE(capacityBlock->text(), QString("9.05"));
    QCOMPARE(session.Text("Condensing temperature row 3, power block"), QString("9.05"));

    session.Type("Condensing temperature row 2, power block", "105");
    QCOMPARE(session.Text("Condensing temperature row 2"), QString("105"));
    QVERIFY(session.Press("<< Back"));
    QCOMPARE(session.Record().condTempText[1][0], std::string("105"));
    QCOMPARE(session.Record().condTempText[2][1], std::string("9.05"));
}

void EntryFormsTest::clearDataAndTextMapCopies() {
    Session session;
    QVERIFY(session.Start());
    // A value in a cell out of use travels with the rest.
    session.Record().capacityText[5][7] = "9999";
    session.Record().powerText[0][6] = "77";
    session.Record().condCount = 6;
    EnterMapAsRecorded(session);
    QVERIFY(!Enabled(session, "Capacity row 6 column 8"));
    session.Type("Capacity row 1 column 1", "1200.5");
    session.Type("Power row 1 column 1", "150");
    session.Type("Capacity row 6 column 6", "3100");
    session.Type("Power row 6 column 6", "410");
    QVERIFY(session.Press("Next >>"));
    QCOMPARE(session.FormId(), kFormPlots);
    const CompressorRecord& record = session.Record();
    QCOMPARE(record.capacityText[0][0], std::string("1200.5"));
    QCOMPARE(record.capacityText[5][7], std::string("9999"));
    QCOMPARE(record.powerText[5][5], std::string("410"));
    QVERIFY(record.capacityTextCopy == record.capacityText);
    QVERIFY(record.powerTextCopy == record.powerText);

    QVERIFY(session.Press("<< Back"));
    session.Type("Evaporating temperature column 6", "15");
    QVERIFY(session.Click("Clear Data"));
    for (int r = 1; r <= 6; ++r)
        for (int c = 1; c <= 8; ++c) {
            QCOMPARE(session.Text(QString("Capacity row %1 column %2").arg(r).arg(c)), QString());
            QCOMPARE(session.Text(QString("Power row %1 column %2").arg(r).arg(c)), QString());
        }
    QCOMPARE(session.Text("Number of rows"), QString("3"));
    QCOMPARE(session.Text("Columns"), QString("7"));
    QCOMPARE(session.Text("Evaporating temperature column 6"), QString("15"));
    QCOMPARE(session.Text("Condensing temperature row 6"), QString("140.0"));
    // The fields in use stay enabled until the next step of a count.
    QVERIFY(Enabled(session, "Power row 6 column 6"));
    QVERIFY(!Enabled(session, "Power row 1 column 7"));
    // Nothing reaches the record before Back or Next.
    QCOMPARE(record.capacityText[0][0], std::string("1200.5"));
    QTest::keyClick(session.Find<UpDownControl>("Rows up/down"), Qt::Key_Up);
    QVERIFY(!Enabled(session, "Power row 6 column 6"));
    QVERIFY(Enabled(session, "Power row 4 column 7"));
}
