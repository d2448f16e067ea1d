#include "GuiTests.h"
#include "Session.h"
#include "analysis/Analysis.h"
#include "analysis/PublishedMapCsv.h"
#include "analysis/SmoothingMethods.h"
#include "app/CommandIds.h"
#include "app/SwitchFormEvent.h"
#include "files/CompressorFile.h"
#include "forms/CGrid.h"
#include "forms/UpDownControl.h"
#include "grid/CGridCtrl.h"
#include "interchange/CoefficientSet.h"
#include "props/PropertyEngine.h"
#include "record/TextRules.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <cmath>
#include <functional>
#include <nlohmann/json.hpp>

using namespace velutra;

namespace {

const QString kExample = VELUTRA_SOURCE_DIR "/Maps/Example-R134a.cmp";

// Starts on a compressor file, lets `choose` set what the description, map and plot forms would
// (the record as they leave it), runs the plot form's analysis on it and opens the smoothed map.
CGrid* OpenSmoothedMap(
    Session& session, const QString& file, const std::function<void(CompressorRecord&)>& choose) {
    if (!session.Start(file.isEmpty() ? QStringList {} : QStringList { file }))
        return nullptr;
    CompressorRecord& record = session.Record();
    choose(record);
    // What "Next >>" of the map form leaves: the typed texts and their copies.
    record.capacityTextCopy = record.capacityText;
    record.powerTextCopy = record.powerText;
    StoreResultsInRecord(AnalyzeMap(session.Frame().Engine(), record), record);
    QCoreApplication::postEvent(&session.Frame(), new SwitchFormEvent(kFormSmoothedMap));
    session.Settle();
    return qobject_cast<CGrid*>(session.Frame().CurrentForm());
}

template <typename T> T* Named(QWidget* form, const QString& name) {
    for (T* widget : form->findChildren<T*>())
        if (widget->accessibleName() == name)
            return widget;
    return nullptr;
}

QLabel* LabelStarting(QWidget* form, const QString& start) {
    for (QLabel* label : form->findChildren<QLabel*>())
        if (label->text().startsWith(start))
            return label;
    return nullptr;
}

// Every text of the grid, row by row.
QStringList Table(const CGridCtrl& grid) {
    QStringList texts;
    for (int r = 0; r < grid.GetRowCount(); ++r)
        for (int c = 0; c < grid.GetColumnCount(); ++c)
            texts.append(grid.GetCellText(r, c));
    return texts;
}

QString Shown(double value) {
    return QString::fromStdString(FormatNumber(value, -1));
}

void TypeInto(QLineEdit* field, const QString& text) {
    field->clear();
    QTest::keyClicks(field, text);
}

} // namespace

void GridFormTest::smoothedMapScalesWithoutCompounding() {
    Session session;
    CGrid* form = OpenSmoothedMap(session, kExample, [](CompressorRecord& record) {
        record.smoothingMethod = 2;
        record.smoothAllTemps = 1;
    });
    QVERIFY(form);
    QVERIFY2(session.messages.errors.isEmpty(), qPrintable(session.messages.errors.join("\n")));
    const CompressorRecord& record = session.Record();
    CGridCtrl& grid = *form->Grid();
    QCOMPARE(session.Frame().windowTitle(),
        QString("Compressor Model: Smoothed Map (%1 model %2)")
            .arg(QString::fromStdString(record.manufacturer), QString::fromStdString(record.model)));
    QCOMPARE(record.helpContext, 130);
    QVERIFY(LabelStarting(form, "Quadratic isentropic efficiency, smoothing for all temperatures"));
    QCOMPARE(grid.GetRowCount(), 17);
    QCOMPARE(grid.GetColumnCount(), 9);
    // The fixed evaporating temperatures, whatever the entered axis was; the eighth column empty.
    const QStringList heading { "Evap", "-40 F", "-30 F", "-20 F", "-10 F", "0 F", "10 F", "20 F", "" };
    QCOMPARE(Table(grid).mid(0, 9), heading);
    QCOMPARE(grid.GetCellText(2, 0), QString("Cond"));
    QCOMPARE(grid.GetCellText(2, 4), QString("Capacity"));
    QCOMPARE(grid.GetCellText(10, 4), QString("Power"));
    QCOMPARE(grid.GetCellText(3, 0), QString("%1 F").arg(TruncateToInt(record.condTemp[0])));
    QCOMPARE(grid.Model().Cell(0, 0)->backColor, 0xD0D0D0u);
    QCOMPARE(grid.Model().Cell(16, 8)->backColor, kDefaultColor);
    QCOMPARE(Named<QLineEdit>(form, "Capacity multiplier")->text(), QString("1"));
    QCOMPARE(Named<QLineEdit>(form, "Power multiplier")->text(), QString("1"));
    QCOMPARE(Named<QLineEdit>(form, "Calculated EER")->text(),
        QString::fromStdString(FormatNumber(record.smoothedRatingEER, -2)));
    // The smoothed map of a sound compressor: capacity grows with the evaporating temperature.
    for (int r = 0; r < record.condCount; ++r) {
        QVERIFY(form->Values().capacity[r][0] > 0);
        for (int k = 1; k < 7; ++k)
            QVERIFY(form->Values().capacity[r][k] > form->Values().capacity[r][k - 1]);
        QCOMPARE(grid.GetCellText(r + 3, 7), Shown(form->Values().capacity[r][6]));
        QCOMPARE(grid.GetCellText(r + 11, 1), Shown(form->Values().power[r][0]));
        QCOMPARE(grid.GetCellText(r + 3, 8), QString());
    }
    const QStringList before = Table(grid);

    TypeInto(Named<QLineEdit>(form, "Capacity multiplier"), "1.1");
    QVERIFY(session.Click("Update"));
    const QStringList scaled = Table(grid);
    for (int r = 0; r < record.condCount; ++r)
        for (int k = 0; k < 7; ++k) {
            QCOMPARE(grid.GetCellText(r + 3, k + 1), Shown(form->Values().capacity[r][k] * 1.1));
            QCOMPARE(grid.GetCellText(r + 11, k + 1), before[(r + 11) * 9 + k + 1]);
        }
    QCOMPARE(Named<QLineEdit>(form, "Calculated EER")->text(),
        QString::fromStdString(FormatNumber(record.smoothedRatingEER * 1.1, -2)));
    QVERIFY(session.Click("Update"));
    QCOMPARE(Table(grid), scaled);
    TypeInto(Named<QLineEdit>(form, "Capacity multiplier"), "1");
    QVERIFY(session.Click("Update"));
    QCOMPARE(Table(grid), before);

    // The two-variable surfaces give a smoothed map on the same fixed axis.
    Session surfaces;
    CGrid* twoVariable
        = OpenSmoothedMap(surfaces, kExample, [](CompressorRecord& record) { record.smoothingMethod = 3; });
    QVERIFY(twoVariable);
    QVERIFY2(surfaces.messages.errors.isEmpty(), qPrintable(surfaces.messages.errors.join("\n")));
    QVERIFY(LabelStarting(twoVariable, "Two-variable fit of suction flow and isentropic efficiency"));
    QCOMPARE(Table(*twoVariable->Grid()).mid(0, 9), heading);
    // Near the entered map the surfaces reproduce it: -10 F / 130 F was entered as 820 Btu/h.
    QCOMPARE(surfaces.Record().condTemp[2], 130.0);
    QVERIFY(std::abs(twoVariable->Values().capacity[2][3] / 820.0 - 1) < 0.05);
}

void GridFormTest::enteredMapShowsTextsAsTypedThenFormattedNumbers() {
    Session session;
    CGrid* form = OpenSmoothedMap(session, kExample, [](CompressorRecord& record) {
        record.smoothingMethod = 0;
        record.capacityText[0][0] = "12.35";
        record.capacityText[0][1] = "2109.15";
        record.powerText[1][0] = "1,234";
    });
    QVERIFY(form);
    const CompressorRecord& record = session.Record();
    CGridCtrl& grid = *form->Grid();
    QVERIFY(LabelStarting(form, "Original map data"));
    QVERIFY(LabelStarting(form, "Units: Btu/hr and Watts"));
    for (int c = 0; c < record.evapCount; ++c)
        QCOMPARE(grid.GetCellText(0, c + 1), QString("%1 F").arg(TruncateToInt(record.evapTemp[c])));
    QCOMPARE(grid.GetCellText(0, record.evapCount + 1), QString());
    QCOMPARE(grid.GetCellText(3, 1), QString("12.35"));
    QCOMPARE(grid.GetCellText(3, 2), QString("2109.15"));
    QCOMPARE(grid.GetCellText(12, 1), QString("1,234"));
    QCOMPARE(Named<QLineEdit>(form, "Calculated EER")->text(),
        QString::fromStdString(FormatNumber(record.mapRatingEER, -2)));

    // After "Update" the numbers of the map, through single precision and "%.1f".
    QVERIFY(session.Click("Update"));
    QCOMPARE(grid.GetCellText(3, 1), QString("12.4"));
    QCOMPARE(grid.GetCellText(3, 2), QString("2109.1"));
    QCOMPARE(grid.GetCellText(12, 1), QString("1.0"));
    QCOMPARE(grid.GetCellText(3 + record.condCount, 1), QString());
}

void GridFormTest::badMultiplierKeepsPreviousAndZeroPowerHasNoEER() {
    Session session;
    CGrid* form
        = OpenSmoothedMap(session, kExample, [](CompressorRecord& record) { record.smoothingMethod = 1; });
    QVERIFY(form);
    auto* capacity = Named<QLineEdit>(form, "Capacity multiplier");
    auto* power = Named<QLineEdit>(form, "Power multiplier");
    TypeInto(capacity, "1.5");
    TypeInto(power, "1.25");
    QVERIFY(session.Click("Update"));
    QCOMPARE(form->capacityMultiplier, 1.5);
    QCOMPARE(form->powerMultiplier, 1.25);
    // A capacity multiplier that is not a number stops the read: the power one is not taken either.
    TypeInto(capacity, "x");
    TypeInto(power, "3");
    QVERIFY(session.Click("Update"));
    QCOMPARE(session.messages.errors, QStringList { "Please enter a number." });
    QCOMPARE(form->capacityMultiplier, 1.5);
    QCOMPARE(form->powerMultiplier, 1.25);
    QCOMPARE(form->Grid()->GetCellText(3, 1), Shown(form->Values().capacity[0][0] * 1.5));

    TypeInto(capacity, "1");
    TypeInto(power, "0");
    QVERIFY(session.Click("Update"));
    QCOMPARE(Named<QLineEdit>(form, "Calculated EER")->text(), QString("n/a"));
    QCOMPARE(form->Grid()->GetCellText(11, 1), QString("0.0"));
}

void GridFormTest::saveUsesMultipliersOfLastUpdateAndWritesTheAxis() {
    Session session;
    CGrid* form
        = OpenSmoothedMap(session, kExample, [](CompressorRecord& record) { record.smoothingMethod = 2; });
    QVERIFY(form);
    const int condCount = session.Record().condCount;
    TypeInto(Named<QLineEdit>(form, "Capacity multiplier"), "1.2");
    QVERIFY(session.Click("Update"));
    // Typed but not applied: the save keeps 1.2.
    TypeInto(Named<QLineEdit>(form, "Capacity multiplier"), "2");
    const QString path = folder_->Path("Maps/adjusted.cmp");
    session.dialogs.answers.push_back(path);
    QVERIFY(session.Click("Save Compressor Map"));
    CompressorRecord saved;
    ReadCompressorFile(QFile::encodeName(path).toStdString(), saved);
    QCOMPARE(saved.capacityText[0][0], FormatNumber(form->Values().capacity[0][0] * 1.2, -1));
    QCOMPARE(saved.powerText[1][3], FormatNumber(form->Values().power[1][3], -1));
    QCOMPARE(saved.capacityText[0][7], std::string("0.0"));
    QCOMPARE(saved.evapCount, 7);
    QCOMPARE(saved.condCount, condCount);
    const EvapRow<std::string> axis { "-40", "-30", "-20", "-10", "0", "10", "20", "" };
    QCOMPARE(saved.evapTempText, axis);
    QCOMPARE(session.Frame().CurrentFileText(), "Current file: " + path);

    // A cancelled dialog still leaves the adjusted texts in the record.
    TypeInto(Named<QLineEdit>(form, "Capacity multiplier"), "0.5");
    QVERIFY(session.Click("Update"));
    QVERIFY(session.Click("Save Compressor Map"));
    QCOMPARE(session.Record().capacityText[0][0], FormatNumber(form->Values().capacity[0][0] * 0.5, -1));

    // The entered map keeps its own axis and count; Save As of the menu saves the same way.
    Session entered;
    CGrid* original
        = OpenSmoothedMap(entered, kExample, [](CompressorRecord& record) { record.smoothingMethod = 0; });
    QVERIFY(original);
    const CompressorRecord before = entered.Record();
    const QString again = folder_->Path("Maps/entered.cmp");
    entered.dialogs.answers.push_back(again);
    entered.Trigger(kCmdSaveAs);
    CompressorRecord kept;
    ReadCompressorFile(QFile::encodeName(again).toStdString(), kept);
    QCOMPARE(kept.evapCount, before.evapCount);
    QCOMPARE(kept.evapTempText, before.evapTempText);
    QCOMPARE(kept.capacityText[0][0], FormatNumber(before.capacity[0][0], -1));
}

void GridFormTest::conversionSwitchesRefrigerantAndBackRestoresIt() {
    Session session;
    CGrid* form = OpenSmoothedMap(session, kExample, [](CompressorRecord& record) {
        record.refrigerantIndex = 0;
        record.convertRefrigerant = 1;
        record.newRefrigerantIndex = 5;
    });
    QVERIFY(form);
    QVERIFY2(session.messages.errors.isEmpty(), qPrintable(session.messages.errors.join("\n")));
    QVERIFY(LabelStarting(form, "Refrigerant: R600a"));
    QCOMPARE(session.Record().refrigerantIndex, 5);
    QVERIFY(form->Values().capacity[0][3] > 0);
    // Rated with the new refrigerant, not with the EER the analysis found for R134a.
    const double eer = Named<QLineEdit>(form, "Calculated EER")->text().toDouble();
    QVERIFY(eer > 1);
    QVERIFY(std::abs(eer - session.Record().smoothedRatingEER) > 0.05);

    QVERIFY(session.Press("<< Back"));
    QCOMPARE(session.FormId(), kFormPlots);
    QCOMPARE(session.Record().refrigerantIndex, 0);

    QCoreApplication::postEvent(&session.Frame(), new SwitchFormEvent(kFormSmoothedMap));
    session.Settle();
    QCOMPARE(session.FormId(), kFormSmoothedMap);
    QCOMPARE(session.Record().refrigerantIndex, 5);
    QVERIFY(session.Press("New Run >>"));
    QCOMPARE(session.FormId(), kFormDescription);
    QCOMPARE(session.Record().refrigerantIndex, 5);
}

// The Secop map spans -35..0 C of R600a, suction pressures of about 37 to 157 kPa: the -40 C
// column lies below them. Converted to R290 (111 kPa at -40 C, 132 kPa at -35 C, 168 kPa at
// -30 C), the columns from -30 C on lie above them, and the two before at pressure ratios of 8
// to 14, which the R600a map reaches only below 50 kPa: nothing of it is vouched for.
void GridFormTest::valuesBeyondTheEnteredMapAreMarked() {
    const QString secop = VELUTRA_SOURCE_DIR "/Maps/Secop-XV72-R600A-2000rpm.cmp";
    const auto amber = [](CGrid* form, int row, int column) {
        const GridCell* cell = form->Grid()->Model().Cell(row, column);
        return cell && cell->backColor == 0x8CD6FF;
    };
    Session own;
    CGrid* form = OpenSmoothedMap(own, secop, [](CompressorRecord& record) { record.smoothingMethod = 3; });
    QVERIFY(form);
    QVERIFY(LabelStarting(form, "3 of 21 values extrapolated beyond the entered map"));
    for (int r = 0; r < 3; ++r) {
        QVERIFY(amber(form, 3 + r, 1) && amber(form, 11 + r, 1)); // -40 C, capacity and power
        QVERIFY(!amber(form, 3 + r, 2) && !amber(form, 11 + r, 7));
    }

    Session converted;
    form = OpenSmoothedMap(converted, secop, [](CompressorRecord& record) {
        record.smoothingMethod = 3;
        record.convertRefrigerant = 1;
        record.newRefrigerantIndex = 2;
    });
    QVERIFY(form);
    QVERIFY(LabelStarting(form, "Refrigerant: R290"));
    QVERIFY(LabelStarting(form, "21 of 21 values extrapolated beyond the entered map, and the EER"));
    for (int r = 0; r < 3; ++r)
        for (int column = 1; column <= 7; ++column)
            QVERIFY(amber(form, 3 + r, column) && amber(form, 11 + r, column));
}

// "Export CSV..." writes the map as shown, multipliers applied, in the form Import CSV Map reads
// back; "Export Coefficients..." the polynomials in the record's units, but not for a converted map.
void GridFormTest::exportsCsvMapAndCoefficients() {
    Session session;
    CGrid* form
        = OpenSmoothedMap(session, kExample, [](CompressorRecord& record) { record.smoothingMethod = 3; });
    QVERIFY(form);
    TypeInto(Named<QLineEdit>(form, "Capacity multiplier"), "1.1");
    QVERIFY(session.Click("Update"));
    const QString csv = folder_->Path("Maps/shown.csv");
    const QString json = folder_->Path("Maps/shown.json");
    session.dialogs.answers = { csv, json };
    session.Trigger(kCmdExportCsv);
    session.Trigger(kCmdExportCoefficients);
    QVERIFY2(session.messages.errors.isEmpty(), qPrintable(session.messages.errors.join("\n")));

    CompressorRecord back;
    ReadPublishedMap(QFile::encodeName(csv).toStdString(), back);
    QCOMPARE(back.refrigerantIndex, 0);
    QCOMPARE(back.evapCount, 7);
    QCOMPARE(back.evapTempText[0], std::string("-40"));
    QCOMPARE(QString::fromStdString(back.capacityText[1][2]), Shown(form->Values().capacity[1][2] * 1.1));
    QCOMPARE(QString::fromStdString(back.powerText[2][6]), Shown(form->Values().power[2][6]));
    QFile text(csv);
    QVERIFY(text.open(QIODevice::ReadOnly));
    const QByteArray bytes = text.readAll();
    QVERIFY(bytes.contains("# multipliers: capacity 1.1000, power 1.0000"));
    QVERIFY(bytes.contains("# method: Two-variable fit of suction flow and isentropic efficiency"));

    const CoefficientSet set = ReadCoefficientFile(QFile::encodeName(json).toStdString());
    QCOMPARE(set.units, CoefficientUnits::Ahri540);
    QCOMPARE(set.refrigerant, std::string("R134a"));
    QCOMPARE(set.smoothingMethod, 3);

    Session converted;
    form = OpenSmoothedMap(converted, kExample, [](CompressorRecord& record) {
        record.smoothingMethod = 1;
        record.convertRefrigerant = 1;
        record.newRefrigerantIndex = 5;
    });
    QVERIFY(form);
    converted.dialogs.answers = { folder_->Path("Maps/converted.json") };
    converted.Trigger(kCmdExportCoefficients);
    QCOMPARE(converted.messages.errors.size(), 1);
    QVERIFY(converted.messages.errors[0].contains("before converting"));
    QVERIFY(!QFile::exists(folder_->Path("Maps/converted.json")));
}

void GridFormTest::controlsReadTheirNamesAndTexts() {
    Session session;
    CGrid* form = OpenSmoothedMap(session, VELUTRA_SOURCE_DIR "/Maps/Secop-XV72-R600A-2000rpm.cmp",
        [](CompressorRecord& record) { record.smoothingMethod = 1; });
    QVERIFY(form);
    for (const QString name : { "Capacity multiplier", "Power multiplier", "Calculated EER" })
        QVERIFY2(Named<QLineEdit>(form, name), qPrintable(name));
    for (const QString name : { "Update", "Save Compressor Map", "<< Back", "New Run >>" })
        QVERIFY2(Named<QPushButton>(form, name), qPrintable(name));
    // The labels read what they show.
    for (const QString shown : { "Refrigerant: R600a", "Units: Kcal/hr and Watts" }) {
        QLabel* label = LabelStarting(form, shown);
        QVERIFY2(label, qPrintable(shown));
        QCOMPARE(QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name), shown);
    }
    QAccessibleInterface* eer
        = QAccessible::queryAccessibleInterface(Named<QLineEdit>(form, "Calculated EER"));
    QCOMPARE(eer->text(QAccessible::Value), Named<QLineEdit>(form, "Calculated EER")->text());
    QAccessibleInterface* map = QAccessible::queryAccessibleInterface(form->Grid());
    QVERIFY(!map->text(QAccessible::Name).isEmpty());
    QCOMPARE(map->tableInterface()->cellAt(0, 1)->text(QAccessible::Name), QString("-40 C"));
    QCOMPARE(map->tableInterface()->cellAt(3, 2)->text(QAccessible::Name), form->Grid()->GetCellText(3, 2));

    // The EER is never typed into: the focus moves on to "Update".
    session.Frame().show();
    session.Frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&session.Frame()));
    Named<QLineEdit>(form, "Calculated EER")->setFocus();
    QCOMPARE(QApplication::focusWidget(), Named<QPushButton>(form, "Update"));
}

void GridFormTest::wholeRunSavesTheAdjustedMap() {
    // The example's map, typed in as a user would.
    CompressorRecord example;
    ReadCompressorFile(QFile::encodeName(kExample).toStdString(), example);
    Session session;
    QVERIFY(session.Start());
    session.Trigger(kCmdNew);
    QCOMPARE(session.FormId(), kFormDescription);
    QWidget* description = session.Frame().CurrentForm();
    TypeInto(Named<QLineEdit>(description, "Manufacturer"), "Northwind");
    TypeInto(Named<QLineEdit>(description, "Model"), "NW-12");
    QVERIFY(session.Press("Next >>"));
    QCOMPARE(session.FormId(), kFormMap);

    // New gives rows of 90 to 140 F by columns of -40 to 10 F; the example has 3 rows, of 90, 110
    // and 130 F.
    QWidget* map = session.Frame().CurrentForm();
    auto* rows = Named<UpDownControl>(map, "Rows up/down");
    QVERIFY(rows);
    // The arrows step the count one at a time (the button under the pointer, as a click would).
    for (int step = 0; step < 6 && session.Text("Number of rows") != "3"; ++step)
        rows->stepBy(session.Text("Number of rows").toInt() > 3 ? -1 : 1);
    QCOMPARE(session.Text("Number of rows"), QString("3"));
    TypeInto(Named<QLineEdit>(map, "Condensing temperature row 2"), "110");
    TypeInto(Named<QLineEdit>(map, "Condensing temperature row 3"), "130");
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 6; ++c) {
            TypeInto(Named<QLineEdit>(map, QString("Capacity row %1 column %2").arg(r + 1).arg(c + 1)),
                QString::fromStdString(example.capacityText[r][c]));
            TypeInto(Named<QLineEdit>(map, QString("Power row %1 column %2").arg(r + 1).arg(c + 1)),
                QString::fromStdString(example.powerText[r][c]));
        }
    QVERIFY(session.Press("Next >>"));
    QVERIFY2(session.messages.errors.isEmpty(), qPrintable(session.messages.errors.join("\n")));
    QCOMPARE(session.FormId(), kFormPlots);
    QAbstractButton* quadratic = nullptr;
    for (auto* radio : session.Frame().CurrentForm()->findChildren<QAbstractButton*>())
        if (radio->text().startsWith("Quadratic isentropic efficiency"))
            quadratic = radio;
    QVERIFY(quadratic);
    QTest::mouseClick(quadratic, Qt::LeftButton);
    QVERIFY(session.Press("Next >>"));
    QCOMPARE(session.FormId(), kFormSmoothedMap);
    auto* form = qobject_cast<CGrid*>(session.Frame().CurrentForm());
    QVERIFY(form);
    QVERIFY(LabelStarting(form, "Quadratic isentropic efficiency, smoothing for all temperatures"));

    TypeInto(Named<QLineEdit>(form, "Capacity multiplier"), "1.1");
    TypeInto(Named<QLineEdit>(form, "Power multiplier"), "0.95");
    QVERIFY(session.Click("Update"));
    const QString path = folder_->Path("Maps/NW-12.cmp");
    session.dialogs.answers.push_back(path);
    QVERIFY(session.Click("Save Compressor Map"));
    QVERIFY2(session.messages.errors.isEmpty(), qPrintable(session.messages.errors.join("\n")));

    CompressorRecord saved;
    ReadCompressorFile(QFile::encodeName(path).toStdString(), saved);
    QCOMPARE(saved.manufacturer, std::string("Northwind"));
    QCOMPARE(saved.refrigerantIndex, 0);
    QCOMPARE(saved.condCount, 3);
    QCOMPARE(saved.evapCount, 7);
    QCOMPARE(saved.condTempText[2][0], std::string("130"));
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 7; ++k) {
            // What the grid showed is what was saved.
            QCOMPARE(
                QString::fromStdString(saved.capacityText[r][k]), form->Grid()->GetCellText(r + 3, k + 1));
            QCOMPARE(QString::fromStdString(saved.powerText[r][k]), form->Grid()->GetCellText(r + 11, k + 1));
            const double capacity = TextToNumber(saved.capacityText[r][k]);
            const double power = TextToNumber(saved.powerText[r][k]);
            QVERIFY(std::abs(capacity - 1.1 * form->Values().capacity[r][k]) <= 0.05 + 1e-6 * capacity);
            QVERIFY(std::abs(power - 0.95 * form->Values().power[r][k]) <= 0.05 + 1e-6 * power);
        }
    // The smoothed map stays near the typed one: -10 F / 130 F was typed as 820 Btu/h.
    QCOMPARE(example.capacityText[2][3], std::string("820.0"));
    QVERIFY(std::abs(form->Values().capacity[2][3] / 820.0 - 1) < 0.05);
}

// The smoothed-map form and `velutra-cli analyze --json` show one analysis: the same map,
// cell by cell, converted when a conversion is asked for (the CLI once reported the map of the
// measured refrigerant while the form showed the converted one).
void GridFormTest::formShowsTheMapTheCliReports_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("smoothing");
    QTest::addColumn<QString>("convertTo");
    const QString example = VELUTRA_SOURCE_DIR "/Maps/Example-R134a.cmp";
    const QString secop = VELUTRA_SOURCE_DIR "/Maps/Secop-XV72-R600A-2000rpm.cmp";
    QTest::newRow("linear") << example << "linear"
                            << "";
    QTest::newRow("linear to R1234yf") << example << "linear"
                                       << "R1234yf";
    QTest::newRow("quadratic to R290") << secop << "quadratic"
                                       << "R290";
    QTest::newRow("two-variable to R600a") << example << "two-variable"
                                           << "R600a";
}

void GridFormTest::formShowsTheMapTheCliReports() {
    QFETCH(QString, file);
    QFETCH(QString, smoothing);
    QFETCH(QString, convertTo);
    QStringList arguments { "analyze", file, "--smoothing", smoothing, "--json" };
    if (!convertTo.isEmpty())
        arguments << "--convert-to" << convertTo;
    QProcess cli;
    cli.start(QStringLiteral(VELUTRA_CLI_PATH), arguments);
    QVERIFY(cli.waitForFinished(60000));
    QCOMPARE(cli.exitCode(), 0);
    const auto json = nlohmann::json::parse(cli.readAllStandardOutput().toStdString());
    const auto& shown = json["smoothedMap"];
    QCOMPARE(shown["refrigerant"].get<std::string>(),
        convertTo.isEmpty() ? json["refrigerant"].get<std::string>() : convertTo.toStdString());

    const int method = SmoothingMethodOfKey(smoothing.toStdString());
    const int target = convertTo.isEmpty() ? -1 : RefrigerantCodeOf(convertTo.toStdString());
    Session session;
    CGrid* form = OpenSmoothedMap(session, file, [&](CompressorRecord& record) {
        record.smoothingMethod = method;
        record.smoothAllTemps = 1;
        record.smoothEachCondTemp = 0;
        record.convertRefrigerant = target >= 0 ? 1 : 0;
        record.newRefrigerantIndex = target >= 0 ? target : record.refrigerantIndex;
    });
    QVERIFY(form);
    QVERIFY2(session.messages.errors.isEmpty(), qPrintable(session.messages.errors.join("\n")));
    const CGridCtrl& grid = *form->Grid();
    const int rows = static_cast<int>(shown["capacity"].size());
    QCOMPARE(rows, session.Record().condCount);
    for (int r = 0; r < rows; ++r)
        for (int k = 0; k < SmoothedMap::kFixedColumns; ++k) {
            const double capacity = shown["capacity"][r][k].get<double>();
            const double power = shown["power"][r][k].get<double>();
            QCOMPARE(form->Values().capacity[r][k], capacity);
            QCOMPARE(form->Values().power[r][k], power);
            QCOMPARE(grid.GetCellText(r + 3, k + 1), Shown(capacity));
            QCOMPARE(grid.GetCellText(r + 11, k + 1), Shown(power));
        }
    const double eer = json["smoothedMap"]["ratingEER"].get<double>();
    QCOMPARE(Named<QLineEdit>(form, "Calculated EER")->text(), QString::fromStdString(FormatNumber(eer, -2)));
}
