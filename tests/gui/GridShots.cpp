// The smoothed-map form of the example maps, as smoothed (quadratic over all temperatures, or
// the smoothing method given) and converted to another refrigerant, for looking at by hand; not
// a test. From the source folder:
//   grid_shots OUT_DIR [--method N] [--plots]  pictures of every example map, with and without
//                                              conversion (--plots: of the plot form instead)
//   grid_shots --show MAP.cmp [--convert]      walks to the form and stays there (for screenshots
//                                              and the accessibility tree under an X server)
#include "Session.h"
#include "app/CommandIds.h"
#include "record/CompressorRecord.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QTest>
#include <memory>

namespace {

void PressNext(Session& session) {
    for (auto* button : session.Frame().CurrentForm()->findChildren<QPushButton*>())
        if (button->text() == "Next >>") {
            button->click();
            session.Settle();
            return;
        }
}

// Starts on a map and clicks "Next >>" up to the smoothed-map form.
std::unique_ptr<Session> Walk(
    const QString& map, bool convert, int method = 2, int form = velutra::kFormSmoothedMap) {
    auto session = std::make_unique<Session>();
    if (!session->Start({ map }))
        return nullptr;
    auto& record = session->Record();
    record.smoothingMethod = method;
    record.smoothAllTemps = 1;
    // Conversion as the user asks for it on the description form: R600a, or R290 for an R600a map.
    QWidget* description = session->Frame().CurrentForm();
    if (convert) {
        for (auto* box : description->findChildren<QCheckBox*>())
            if (box->text() == "Convert to new refrigerant")
                box->click();
        for (auto* list : description->findChildren<QComboBox*>())
            if (list->accessibleName() == "New refrigerant")
                list->setCurrentIndex(list->findText(record.refrigerantIndex == 5 ? "R290" : "R600a"));
    }
    session->Frame().show();
    for (int step = 0; step < 3 && session->FormId() != form; ++step)
        PressNext(*session);
    for (const QString& error : session->messages.errors)
        qWarning("%s: %s", qPrintable(map), qPrintable(error));
    return session;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QStringList arguments = application.arguments().mid(1);
    if (arguments.value(0) == "--show") {
        auto session = Walk(arguments.value(1), arguments.contains("--convert"));
        return session ? application.exec() : 1;
    }
    const QString out = arguments.value(0, ".");
    const int methodAt = static_cast<int>(arguments.indexOf("--method"));
    const int method = methodAt > 0 ? arguments.value(methodAt + 1).toInt() : 2;
    const bool plots = arguments.contains("--plots");
    QDir().mkpath(out);
    for (const QString& map : QDir("Maps").entryList({ "*.cmp" }))
        for (const bool convert : { false, true }) {
            auto session = Walk(
                "Maps/" + map, convert, method, plots ? velutra::kFormPlots : velutra::kFormSmoothedMap);
            if (!session)
                return 1;
            QTest::qWait(300);
            session->Frame().grab().save(
                QStringLiteral("%1/%2-%3%4-method%5.png")
                    .arg(out, plots ? QStringLiteral("plot") : QStringLiteral("grid"),
                        QFileInfo(map).completeBaseName(), convert ? QStringLiteral("-converted") : QString())
                    .arg(method));
        }
    return 0;
}
