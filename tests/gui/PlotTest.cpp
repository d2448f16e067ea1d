#include "GuiTests.h"
#include "Session.h"
#include "app/CommandIds.h"
#include "forms/GraphControl.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QFile>
#include <QLabel>
#include <cmath>

using namespace velutra;

namespace {

const char* const kExampleMap = VELUTRA_SOURCE_DIR "/Maps/Example-R134a.cmp";

GraphControl* Graph(Session& session) {
    return session.Frame().CurrentForm()->findChild<GraphControl*>();
}

QAbstractButton* Control(Session& session, const QString& caption) {
    for (auto* button : session.Frame().CurrentForm()->findChildren<QAbstractButton*>())
        if (button->text() == caption)
            return button;
    return nullptr;
}

// Clicks a radio button or check box as the user does.
void Choose(Session& session, const QString& caption) {
    QAbstractButton* button = Control(session, caption);
    QVERIFY2(button, qPrintable("no control " + caption));
    button->click();
}

struct Point {
    double x;
    double y;
};

QList<Point> DrawnPoints(GraphControl& graph, int set) {
    QList<Point> points;
    for (int p = 0; p < graph.PointCount(); ++p)
        points.append({ graph.XPosition(p), graph.Data(set, p) });
    return points;
}

// The largest distance of the points from the straight line through the first and last,
// relative to the values' size.
double DeviationFromLine(const QList<Point>& points) {
    const Point a = points.front();
    const Point b = points.back();
    double largest = 0;
    for (const Point& p : points) {
        const double onLine = a.y + (b.y - a.y) * (p.x - a.x) / (b.x - a.x);
        largest = std::max(largest, std::abs(p.y - onLine) / std::abs(a.y));
    }
    return largest;
}

QStringList Numbers(double first, double step, int count) {
    QStringList texts;
    for (int k = 0; k < count; ++k)
        texts.append(QString::number(first + step * k));
    return texts;
}

} // namespace

void PlotTest::mapCurvesFollowTheMap_data() {
    QTest::addColumn<bool>("english");
    QTest::addColumn<QStringList>("evap");
    QTest::addColumn<QStringList>("cond");
    QTest::addColumn<double>("largestCapacity");
    QTest::addColumn<QList<double>>("xAxis"); // minimum, maximum, ticks
    QTest::addColumn<QList<double>>("yAxis");
    QTest::addColumn<QStringList>("legend");

    QTest::newRow("English, -40..10 F")
        << true << Numbers(-40, 10, 6) << QStringList { "90", "110", "130" } << 5678.0
        << QList<double> { -40, 10, 4 } << QList<double> { 1200, 5700, 5 }
        << QStringList { "90", "110", "130", "0", "0", "0" };
    QTest::newRow("SI, -35..-5 C, largest capacity 5600")
        << false << Numbers(-35, 10, 4) << QStringList { "32.5", "40", "45.5", "54.44", "60", "65.2" }
        << 5600.0 << QList<double> { -40, 0, 4 } << QList<double> { 1200, 5700, 5 }
        << QStringList { "32", "40", "45", "54", "60", "65" };
}

// Capacities from 1234 up to the largest value, walking the map row by row; the capacity and
// power curves, their axes, titles, colours and legend follow the entered map.
void PlotTest::mapCurvesFollowTheMap() {
    QFETCH(bool, english);
    QFETCH(QStringList, evap);
    QFETCH(QStringList, cond);
    QFETCH(double, largestCapacity);
    QFETCH(QList<double>, xAxis);
    QFETCH(QList<double>, yAxis);
    QFETCH(QStringList, legend);

    Session session;
    QVERIFY(session.Start({ kExampleMap }));
    CompressorRecord& record = session.Record();
    record.unitsEnglish = english ? 1 : 0;
    record.unitsSI = english ? 0 : 1;
    record.smoothingMethod = 0;
    record.plotType = 0;
    record.evapCount = static_cast<int>(evap.size());
    record.condCount = static_cast<int>(cond.size());
    for (int c = 0; c < kMaxEvap; ++c)
        record.evapTempText[c] = c < evap.size() ? evap[c].toStdString() : "";
    const int cells = record.condCount * record.evapCount;
    for (int r = 0; r < kMaxCond; ++r) {
        record.condTempText[r] = { cond.value(r).toStdString(), cond.value(r).toStdString() };
        for (int c = 0; c < record.evapCount; ++c) {
            const int k = r * record.evapCount + c;
            const double capacity = 1234 + (largestCapacity - 1234) * k / (cells - 1);
            record.capacityText[r][c] = QString::number(capacity, 'f', 1).toStdString();
            record.powerText[r][c] = QString::number(200 + 10 * k).toStdString();
        }
    }
    // The description form shows the file's English units; choosing SI there, as the user
    // would, keeps the units the map is written in when "Next >>" stores the form.
    if (!english)
        Control(session, "SI")->click();
    QVERIFY(session.GoTo(kFormPlots));

    GraphControl* graph = Graph(session);
    QVERIFY(graph);
    QCOMPARE(graph->GraphType(), GraphControl::Type::LinesWithMarkers);
    QCOMPARE(graph->SetCount(), record.condCount);
    QCOMPARE(graph->PointCount(), record.evapCount);
    for (int c = 0; c < evap.size(); ++c)
        QCOMPARE(graph->XPosition(c), evap[c].toDouble());
    QCOMPARE(graph->Data(0, 0), 1234.0);
    QCOMPARE(graph->Data(record.condCount - 1, record.evapCount - 1), largestCapacity);
    QCOMPARE(graph->XAxis().minimum, xAxis[0]);
    QCOMPARE(graph->XAxis().maximum, xAxis[1]);
    QCOMPARE(graph->XAxis().ticks, int(xAxis[2]));
    QCOMPARE(graph->YAxis().minimum, yAxis[0]);
    QCOMPARE(graph->YAxis().maximum, yAxis[1]);
    QCOMPARE(graph->YAxis().ticks, int(yAxis[2]));
    const int colours[] = { 1, 4, 9, 3, 12, 0 };
    for (int k = 0; k < 6; ++k) {
        QCOMPARE(graph->LegendText(k), legend[k]);
        QCOMPARE(graph->Colour(k), colours[k]);
    }
    QCOMPARE(graph->BottomTitle(),
        english ? QString("Evaporator Temperature (F)") : QString("Evaporator Temperature (C)"));
    QCOMPARE(graph->LeftTitle(), english ? QString("Capacity (Btuh)") : QString("Capacity (Kcalh)"));
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(graph);
    QVERIFY(reader);
    QCOMPARE(reader->role(), QAccessible::Chart);
    QCOMPARE(reader->text(QAccessible::Name), QString("Plot"));
    QVERIFY2(graph->accessibleDescription().startsWith("Compressor capacity")
            && graph->accessibleDescription().contains(QString("%1 curves").arg(record.condCount)),
        qPrintable(graph->accessibleDescription()));

    Choose(session, "Compressor power");
    QCOMPARE(graph->LeftTitle(), QString("Power (W)"));
    QCOMPARE(graph->Data(0, 1), 210.0);
    QCOMPARE(graph->YAxis().minimum, 200.0);
    QVERIFY(graph->accessibleDescription().startsWith("Compressor power"));
}

// The efficiency plots show the map the form currently holds: after a smoothing change the
// points of the rebuilt map, which lie on the fitted lines.
void PlotTest::efficiencyPlotsShowTheCurrentMap() {
    Session session;
    QVERIFY(session.Start({ kExampleMap }));
    session.Record().smoothingMethod = 0;
    session.Record().smoothAllTemps = 1;
    session.Record().smoothEachCondTemp = 0;
    QVERIFY(session.GoTo(kFormPlots));
    GraphControl* graph = Graph(session);

    Choose(session, "Isentropic efficiency");
    QCOMPARE(graph->GraphType(), GraphControl::Type::Points);
    QCOMPARE(graph->PointCount(), 18);
    QCOMPARE(graph->LeftTitle(), QString("Isentropic Efficiency"));
    QCOMPARE(graph->BottomTitle(), QString("Pressure Ratio"));
    const QList<Point> entered = DrawnPoints(*graph, 0);
    for (int i = 1; i < entered.size(); ++i)
        QVERIFY(entered[i - 1].x <= entered[i].x);
    // The axis ends on the first ten above the largest ratio.
    const double largest = entered.back().x;
    QVERIFY(graph->XAxis().maximum > largest && graph->XAxis().maximum <= largest + 10);
    QCOMPARE(std::fmod(graph->XAxis().maximum, 10.0), 0.0);
    QCOMPARE(graph->XAxis().ticks, int(graph->XAxis().maximum / 10));
    QVERIFY(DeviationFromLine(entered) > 1e-3);

    Choose(session, "Linear isentropic efficiency *");
    QVERIFY(DeviationFromLine(DrawnPoints(*graph, 0)) < 1e-9);
    Choose(session, "Volumetric efficiency");
    QCOMPARE(graph->LeftTitle(), QString("Volumetric Efficiency"));
    const QList<Point> volumetric = DrawnPoints(*graph, 0);
    QVERIFY(DeviationFromLine(volumetric) < 1e-9);
    // The line of the rebuilt map's suction flow, scaled to 0.98 at ratio 0.
    const Point a = volumetric.front();
    const Point b = volumetric.back();
    QVERIFY(std::abs(a.y - a.x * (b.y - a.y) / (b.x - a.x) - 0.98) < 1e-9);

    Choose(session, "Quadratic isentropic efficiency *");
    Choose(session, "Isentropic efficiency");
    const QList<Point> quadratic = DrawnPoints(*graph, 0);
    QVERIFY(DeviationFromLine(quadratic) > 1e-6);
    QCOMPARE(graph->LegendText(0), QString("Quadratic isentropic efficiency"));
    QVERIFY(graph->accessibleDescription().startsWith("Isentropic efficiency"));
    QVERIFY(graph->accessibleDescription().contains("18 points"));
    // Nothing reaches the record before the form is left by its buttons.
    QCOMPARE(session.Record().plotType, 0);
    QCOMPARE(session.Record().smoothingMethod, 0);
}

// Ticking either box clears the other and recomputes, also a box that was ticked already;
// "<< Back" keeps the choices in the record.
void PlotTest::smoothingBoxesActAsAPair() {
    Session session;
    QVERIFY(session.Start({ kExampleMap }));
    session.Record().smoothingMethod = 1;
    session.Record().smoothAllTemps = 1;
    session.Record().smoothEachCondTemp = 0;
    session.Record().plotType = 2;
    QVERIFY(session.GoTo(kFormPlots));
    GraphControl* graph = Graph(session);
    QAbstractButton* all = Control(session, "Smoothing for all temperatures");
    QAbstractButton* each = Control(session, "Smoothing for each condenser temperature");
    QVERIFY(all && each);
    QVERIFY(all->isChecked() && !each->isChecked());
    QVERIFY(Control(session, "Isentropic efficiency")->isChecked());
    const QList<Point> overAll = DrawnPoints(*graph, 0);
    QVERIFY(DeviationFromLine(overAll) < 1e-9);

    int draws = graph->DrawCount();
    Choose(session, "Smoothing for each condenser temperature");
    QVERIFY(each->isChecked() && !all->isChecked());
    QCOMPARE(graph->DrawCount(), draws + 1);
    // One line per condensing row: taken together the points leave the single line.
    QVERIFY(DeviationFromLine(DrawnPoints(*graph, 0)) > 1e-6);

    draws = graph->DrawCount();
    Choose(session, "Smoothing for each condenser temperature");
    QVERIFY(each->isChecked() && !all->isChecked());
    QCOMPARE(graph->DrawCount(), draws + 1);

    Choose(session, "Smoothing for all temperatures");
    QVERIFY(all->isChecked() && !each->isChecked());
    const QList<Point> again = DrawnPoints(*graph, 0);
    QCOMPARE(again.size(), overAll.size());
    for (int i = 0; i < again.size(); ++i)
        QVERIFY(std::abs(again[i].y / overAll[i].y - 1) < 1e-12);

    Choose(session, "Smoothing for each condenser temperature");
    Choose(session, "Compressor power");
    QVERIFY(session.Press("<< Back"));
    QCOMPARE(session.FormId(), kFormMap);
    QCOMPARE(session.Record().smoothEachCondTemp, 1);
    QCOMPARE(session.Record().smoothAllTemps, 0);
    QCOMPARE(session.Record().plotType, 1);
    QCOMPARE(session.Record().smoothingMethod, 1);
    QVERIFY(session.messages.errors.isEmpty());

    // A map that is to be converted to another refrigerant cannot be shown as entered.
    session.Record().smoothingMethod = 0;
    session.Record().convertRefrigerant = 1;
    session.Record().newRefrigerantIndex = (session.Record().refrigerantIndex + 1) % 6;
    QVERIFY(session.Press("Next >>"));
    QVERIFY(!Control(session, "Original map data")->isEnabled());
    QVERIFY(Control(session, "Linear isentropic efficiency *")->isChecked());
}

// File > Export Plot writes the chart as a PNG image or an SVG drawing by the name's suffix, and
// says why when it cannot.
void PlotTest::exportWritesPngOrSvgOrSaysWhyNot() {
    Session session;
    QVERIFY(session.StartAt(kFormPlots, { kExampleMap }));
    const QString png = folder_->Path("Maps/plot.png");
    const QString svg = folder_->Path("Maps/plot.SVG");
    session.dialogs.answers = { png, svg };
    session.Trigger(kCmdExportPlot);
    session.Trigger(kCmdExportPlot);
    QVERIFY2(session.messages.errors.isEmpty(), qPrintable(session.messages.errors.join("\n")));
    QCOMPARE(session.dialogs.requests[0].folder, QDir::current().filePath("Maps"));
    QVERIFY(session.dialogs.requests[0].confirmOverwrite);
    QFile image(png);
    QVERIFY(image.open(QIODevice::ReadOnly));
    QVERIFY(image.size() > 1000);
    QVERIFY(image.read(8) == QByteArray("\x89PNG\r\n\x1a\n"));
    QFile drawing(svg);
    QVERIFY(drawing.open(QIODevice::ReadOnly));
    const QByteArray text = drawing.readAll();
    QVERIFY(text.contains("<svg"));
    QVERIFY(text.contains("Evaporator Temperature (F)"));

    const QString missing = folder_->Path("no-such-folder/plot.png");
    const QString jpeg = folder_->Path("Maps/plot.jpg");
    session.dialogs.answers = { missing, jpeg, QString() };
    session.Trigger(kCmdExportPlot);
    session.Trigger(kCmdExportPlot);
    session.Trigger(kCmdExportPlot);
    QCOMPARE(session.messages.errors.size(), 2);
    QVERIFY(session.messages.errors[0].contains(missing));
    QVERIFY(session.messages.errors[0].startsWith("   ") && session.messages.errors[0].endsWith("   "));
    QVERIFY(session.messages.errors[1].contains(".svg"));
    QVERIFY(!QFile::exists(missing) && !QFile::exists(jpeg));
    QCOMPARE(session.FormId(), kFormPlots);
}

// The two-variable fit: the scope boxes do not apply to it, the fit quality is shown, and the
// choice survives the walk to the smoothed-map form and back. A map that cannot carry its six
// terms is refused with the reason and the method in force stays.
void PlotTest::twoVariableFitShowsItsQualityOrIsRefused() {
    Session session;
    QVERIFY(session.StartAt(kFormPlots, { kExampleMap }));
    QLabel* quality = nullptr;
    for (auto* label : session.Frame().CurrentForm()->findChildren<QLabel*>())
        if (label->text().startsWith("Smoothed vs entered"))
            quality = label;
    QVERIFY(quality);
    QCOMPARE(quality->text(), QString("Smoothed vs entered: the entered map is shown unchanged"));

    Choose(session, "Two-variable fit (ratio and suction pressure)");
    QVERIFY(!Control(session, "Smoothing for all temperatures")->isEnabled());
    QVERIFY(!Control(session, "Smoothing for each condenser temperature")->isEnabled());
    QVERIFY2(quality->text().contains("capacity RMS") && quality->text().contains("power RMS"),
        qPrintable(quality->text()));
    QVERIFY(session.messages.errors.isEmpty());
    QVERIFY(session.Press("Next >>"));
    QCOMPARE(session.FormId(), kFormSmoothedMap);
    QVERIFY(session.Press("<< Back"));
    QCOMPARE(session.FormId(), kFormPlots);
    QVERIFY(Control(session, "Two-variable fit (ratio and suction pressure)")->isChecked());
    QCOMPARE(session.Record().smoothingMethod, 3);

    // One condensing row: pressure ratio and suction pressure move together.
    Session single;
    QVERIFY(single.Start({ kExampleMap }));
    single.Record().condCount = 1;
    single.Record().smoothingMethod = 1;
    QVERIFY(single.GoTo(kFormPlots));
    Choose(single, "Two-variable fit (ratio and suction pressure)");
    QCOMPARE(single.messages.errors.size(), 1);
    QVERIFY2(single.messages.errors[0].contains("one condensing temperature"),
        qPrintable(single.messages.errors[0]));
    QVERIFY(Control(single, "Linear isentropic efficiency *")->isChecked());
    QVERIFY(Control(single, "Smoothing for all temperatures")->isEnabled());
    QVERIFY(single.Press("<< Back"));
    QCOMPARE(single.Record().smoothingMethod, 1);
}
