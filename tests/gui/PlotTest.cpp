#include "DrawnChart.h"
#include "GuiTests.h"
#include "Session.h"
#include "app/CommandIds.h"
#include "forms/GraphControl.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QFile>
#include <QLabel>
#include <cmath>
#include <limits>

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

// The points drawn in the one set of an efficiency plot; none when the chart is not such a plot.
QList<QPointF> EfficiencyPoints(const GraphControl& graph) {
    const DrawnChart drawn = ReadChart(graph);
    if (!drawn.fault.isEmpty() || drawn.sets.size() != 1 || drawn.sets[0].lines)
        return {};
    return drawn.sets[0].points;
}

// The largest distance of the points from the straight line through the first and last,
// relative to the values' size; NaN, which passes no comparison, for fewer than two points.
double DeviationFromLine(const QList<QPointF>& points) {
    if (points.size() < 2)
        return std::numeric_limits<double>::quiet_NaN();
    const QPointF a = points.front();
    const QPointF b = points.back();
    double largest = 0;
    for (const QPointF& p : points) {
        const double onLine = a.y() + (b.y() - a.y()) * (p.x() - a.x()) / (b.x() - a.x());
        largest = std::max(largest, std::abs(p.y() - onLine) / std::abs(a.y()));
    }
    return largest;
}

bool Near(double value, double expected, double tolerance) {
    return std::abs(value - expected) <= tolerance * std::max(std::abs(value), std::abs(expected));
}

// Where the drawn points differ from the expected ones, each coordinate compared within a
// relative tolerance; empty when they agree.
QString PointsDiffer(const QList<QPointF>& drawn, const QList<QPointF>& expected, double tolerance = 1e-9) {
    if (drawn.size() != expected.size())
        return QString("%1 points drawn, %2 expected").arg(drawn.size()).arg(expected.size());
    for (int i = 0; i < drawn.size(); ++i)
        if (!Near(drawn[i].x(), expected[i].x(), tolerance)
            || !Near(drawn[i].y(), expected[i].y(), tolerance))
            return QString("point %1 drawn at (%2, %3), expected (%4, %5)")
                .arg(i)
                .arg(drawn[i].x())
                .arg(drawn[i].y())
                .arg(expected[i].x())
                .arg(expected[i].y());
    return {};
}

bool SameValues(const QList<double>& values, const QList<double>& expected, double tolerance = 1e-9) {
    if (values.size() != expected.size())
        return false;
    for (int i = 0; i < values.size(); ++i)
        if (!Near(values[i], expected[i], tolerance))
            return false;
    return true;
}

// The drawn axis spans the scale the form chose, with the same small room beyond either end so
// that a marker on an end is drawn whole.
bool SpansScale(const DrawnAxis& axis, double minimum, double maximum) {
    const double span = maximum - minimum;
    const double below = minimum - axis.minimum;
    const double above = axis.maximum - maximum;
    return below >= 0 && below <= 0.05 * span && std::abs(above - below) <= 1e-9 * span;
}

QStringList Numbers(double first, double step, int count) {
    QStringList texts;
    for (int k = 0; k < count; ++k)
        texts.append(QString::number(first + step * k));
    return texts;
}

QString Text(const QList<double>& values) {
    QStringList texts;
    for (const double value : values)
        texts.append(QString::number(value));
    return texts.join(", ");
}

QList<double> Steps(double first, double step, int count) {
    QList<double> values;
    for (int k = 0; k < count; ++k)
        values.append(first + step * k);
    return values;
}

} // namespace

void PlotTest::mapCurvesFollowTheMap_data() {
    QTest::addColumn<bool>("english");
    QTest::addColumn<QStringList>("evap");
    QTest::addColumn<QStringList>("cond");
    QTest::addColumn<double>("largestCapacity");
    QTest::addColumn<QList<double>>("xScale"); // minimum, maximum
    QTest::addColumn<QList<double>>("xLabels");
    QTest::addColumn<QList<double>>("yScale");
    QTest::addColumn<QList<double>>("yLabels");
    QTest::addColumn<QStringList>("legend"); // heading first

    QTest::newRow("English, -40..10 F")
        << true << Numbers(-40, 10, 6) << QStringList { "90", "110", "130" } << 5678.0
        << QList<double> { -40, 10 } << Steps(-40, 5, 11) << QList<double> { 1200, 5700 }
        << Steps(1500, 500, 9) << QStringList { "Condensing (F)", "90", "110", "130" };
    QTest::newRow("SI, -35..-5 C, largest capacity 5600")
        << false << Numbers(-35, 10, 4) << QStringList { "32.5", "40", "45.5", "54.44", "60", "65.2" }
        << 5600.0 << QList<double> { -40, 0 } << Steps(-40, 10, 5) << QList<double> { 1200, 5700 }
        << Steps(1500, 500, 9) << QStringList { "Condensing (C)", "32", "40", "45", "54", "60", "65" };
}

// Capacities from 1234 up to the largest value, walking the map row by row; the drawn capacity
// and power curves, their axes, titles, colours and legend follow the entered map.
void PlotTest::mapCurvesFollowTheMap() {
    QFETCH(bool, english);
    QFETCH(QStringList, evap);
    QFETCH(QStringList, cond);
    QFETCH(double, largestCapacity);
    QFETCH(QList<double>, xScale);
    QFETCH(QList<double>, xLabels);
    QFETCH(QList<double>, yScale);
    QFETCH(QList<double>, yLabels);
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
    QList<QList<QPointF>> capacityCurves;
    QList<QList<QPointF>> powerCurves;
    for (int r = 0; r < kMaxCond; ++r) {
        record.condTempText[r] = { cond.value(r).toStdString(), cond.value(r).toStdString() };
        QList<QPointF> capacities;
        QList<QPointF> powers;
        for (int c = 0; c < record.evapCount; ++c) {
            const int k = r * record.evapCount + c;
            const QString capacity
                = QString::number(1234 + (largestCapacity - 1234) * k / (cells - 1), 'f', 1);
            const int power = 200 + 10 * k;
            record.capacityText[r][c] = capacity.toStdString();
            record.powerText[r][c] = QString::number(power).toStdString();
            capacities.append({ evap[c].toDouble(), capacity.toDouble() });
            powers.append({ evap[c].toDouble(), double(power) });
        }
        capacityCurves.append(capacities);
        powerCurves.append(powers);
    }
    // The description form shows the file's English units; choosing SI there, as the user
    // would, keeps the units the map is written in when "Next >>" stores the form.
    if (!english)
        Control(session, "SI")->click();
    QVERIFY(session.GoTo(kFormPlots));

    GraphControl* graph = Graph(session);
    QVERIFY(graph);
    DrawnChart drawn = ReadChart(*graph);
    QVERIFY2(drawn.fault.isEmpty(), qPrintable(drawn.fault));
    // One line per condensing row, in colours told apart at a glance: dark blue, dark red, blue,
    // dark cyan, red, black.
    const QColor colours[] = { QColor(0, 0, 0x80), QColor(0x80, 0, 0), QColor(0, 0, 0xFF),
        QColor(0, 0x80, 0x80), QColor(0xFF, 0, 0), QColor(0, 0, 0) };
    QCOMPARE(drawn.sets.size(), cond.size());
    for (int r = 0; r < cond.size(); ++r) {
        const DrawnSet& set = drawn.sets[r];
        QVERIFY(set.lines);
        QCOMPARE(set.name, legend[r + 1]);
        QCOMPARE(set.colour, colours[r]);
        const QString differ = PointsDiffer(set.points, capacityCurves[r]);
        QVERIFY2(differ.isEmpty(), qPrintable(QString("row %1: %2").arg(r + 1).arg(differ)));
    }
    QVERIFY(drawn.legendVisible);
    QCOMPARE(drawn.legend, legend);
    QVERIFY(SpansScale(drawn.x, xScale[0], xScale[1]));
    QVERIFY(SpansScale(drawn.y, yScale[0], yScale[1]));
    QVERIFY2(SameValues(drawn.x.labels, xLabels), qPrintable(Text(drawn.x.labels)));
    QVERIFY2(SameValues(drawn.y.labels, yLabels), qPrintable(Text(drawn.y.labels)));
    QVERIFY(drawn.PointsInside());
    QCOMPARE(drawn.x.title,
        english ? QString("Evaporator Temperature (F)") : QString("Evaporator Temperature (C)"));
    QCOMPARE(drawn.y.title, english ? QString("Capacity (Btuh)") : QString("Capacity (Kcalh)"));
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(graph);
    QVERIFY(reader);
    QCOMPARE(reader->role(), QAccessible::Chart);
    QVERIFY(!reader->text(QAccessible::Name).isEmpty());
    QVERIFY2(graph->accessibleDescription().startsWith("Compressor capacity")
            && graph->accessibleDescription().contains(QString("%1 curves").arg(record.condCount)),
        qPrintable(graph->accessibleDescription()));

    Choose(session, "Compressor power");
    drawn = ReadChart(*graph);
    QVERIFY2(drawn.fault.isEmpty(), qPrintable(drawn.fault));
    QCOMPARE(drawn.sets.size(), cond.size());
    for (int r = 0; r < cond.size(); ++r) {
        const QString differ = PointsDiffer(drawn.sets[r].points, powerCurves[r]);
        QVERIFY2(differ.isEmpty(), qPrintable(QString("row %1: %2").arg(r + 1).arg(differ)));
    }
    // The scale starts at the smallest power's hundred, which is labelled.
    QVERIFY(!drawn.y.labels.isEmpty() && Near(drawn.y.labels.front(), 200, 1e-9));
    QVERIFY(drawn.y.minimum < 200);
    QVERIFY(drawn.PointsInside());
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
    DrawnChart drawn = ReadChart(*graph);
    QVERIFY2(drawn.fault.isEmpty(), qPrintable(drawn.fault));
    QCOMPARE(drawn.sets.size(), 1);
    QVERIFY(!drawn.sets[0].lines);
    const QList<QPointF> entered = drawn.sets[0].points;
    QCOMPARE(entered.size(), 18);
    for (int i = 1; i < entered.size(); ++i)
        QVERIFY(entered[i - 1].x() <= entered[i].x());
    // Efficiencies against pressure ratios: the scale runs from 0 to the first ten above the
    // largest ratio, and from 0 to 1; both ends of each are labelled.
    const double end = 10 * (std::floor(entered.back().x() / 10) + 1);
    QVERIFY(SpansScale(drawn.x, 0, end));
    QVERIFY(SpansScale(drawn.y, 0, 1));
    QVERIFY2(!drawn.x.labels.isEmpty() && Near(drawn.x.labels.front(), 0, 0)
            && Near(drawn.x.labels.back(), end, 1e-9),
        qPrintable(Text(drawn.x.labels)));
    QVERIFY2(!drawn.y.labels.isEmpty() && Near(drawn.y.labels.front(), 0, 0)
            && Near(drawn.y.labels.back(), 1, 1e-9),
        qPrintable(Text(drawn.y.labels)));
    QVERIFY(drawn.PointsInside());
    QVERIFY(DeviationFromLine(entered) > 1e-3);

    Choose(session, "Linear isentropic efficiency *");
    QVERIFY(DeviationFromLine(EfficiencyPoints(*graph)) < 1e-9);
    Choose(session, "Volumetric efficiency");
    const QList<QPointF> volumetric = EfficiencyPoints(*graph);
    QCOMPARE(volumetric.size(), 18);
    QVERIFY(DeviationFromLine(volumetric) < 1e-9);
    // The line of the rebuilt map's suction flow, scaled to 0.98 at ratio 0.
    const QPointF a = volumetric.front();
    const QPointF b = volumetric.back();
    QVERIFY(std::abs(a.y() - a.x() * (b.y() - a.y()) / (b.x() - a.x()) - 0.98) < 1e-9);

    Choose(session, "Quadratic isentropic efficiency *");
    Choose(session, "Isentropic efficiency");
    const QList<QPointF> quadratic = EfficiencyPoints(*graph);
    QCOMPARE(quadratic.size(), 18);
    QVERIFY(DeviationFromLine(quadratic) > 1e-6);
    QCOMPARE(ReadChart(*graph).sets.value(0).name, QString("Quadratic isentropic efficiency"));
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
    const QList<QPointF> overAll = EfficiencyPoints(*graph);
    QVERIFY(DeviationFromLine(overAll) < 1e-9);

    int draws = graph->DrawCount();
    Choose(session, "Smoothing for each condenser temperature");
    QVERIFY(each->isChecked() && !all->isChecked());
    QCOMPARE(graph->DrawCount(), draws + 1);
    // One line per condensing row: taken together the points leave the single line.
    QVERIFY(DeviationFromLine(EfficiencyPoints(*graph)) > 1e-6);

    draws = graph->DrawCount();
    Choose(session, "Smoothing for each condenser temperature");
    QVERIFY(each->isChecked() && !all->isChecked());
    QCOMPARE(graph->DrawCount(), draws + 1);

    Choose(session, "Smoothing for all temperatures");
    QVERIFY(all->isChecked() && !each->isChecked());
    const QList<QPointF> again = EfficiencyPoints(*graph);
    QCOMPARE(again.size(), overAll.size());
    for (int i = 0; i < again.size(); ++i)
        QVERIFY(std::abs(again[i].y() / overAll[i].y() - 1) < 1e-12);

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
    // The entered map is shown as it is: there is no fit to measure.
    QVERIFY2(!quality->text().contains("RMS"), qPrintable(quality->text()));

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
