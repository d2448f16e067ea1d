// Screenshots of the smoothed-map form for every example map, as entered (quadratic smoothing)
// and converted to another refrigerant. Not a test: run it by hand under an X server,
//   grid_shots OUT_DIR
// from the source folder, and look at the pictures.
#include "Session.h"
#include "app/CommandIds.h"
#include "record/CompressorRecord.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QTest>

namespace {

void PressNext(Session& session) {
    for (auto* button : session.Frame().CurrentForm()->findChildren<QPushButton*>())
        if (button->text() == "Next >>") {
            button->click();
            session.Settle();
            return;
        }
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);
    const QStringList maps = QDir(QStringLiteral("Maps")).entryList({ QStringLiteral("*.cmp") });
    for (const QString& map : maps) {
        for (const bool convert : { false, true }) {
            Session session;
            if (!session.Start({ QStringLiteral("Maps/") + map }))
                return 1;
            auto& record = session.Record();
            record.smoothingMethod = 2;
            record.smoothAllTemps = 1;
            if (convert) {
                record.convertRefrigerant = 1;
                record.newRefrigerantIndex = record.refrigerantIndex == 5 ? 2 : 5;
            }
            session.Frame().show();
            for (int step = 0; step < 3 && session.FormId() != velutra::kFormSmoothedMap; ++step)
                PressNext(session);
            QTest::qWait(300);
            const QString name = QStringLiteral("%1/grid-%2%3.png")
                                     .arg(out, QFileInfo(map).completeBaseName(),
                                         convert ? QStringLiteral("-converted") : QString());
            session.Frame().grab().save(name);
            for (const QString& error : session.messages.errors)
                qWarning("%s: %s", qPrintable(map), qPrintable(error));
        }
    }
    return 0;
}
