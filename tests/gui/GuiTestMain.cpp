#include "GuiTests.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // The recent-file list must not touch the user's own settings.
    QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());

    int failures = 0;
    FrameTest frame;
    failures += QTest::qExec(&frame, argc, argv);
    CommandsTest commands;
    failures += QTest::qExec(&commands, argc, argv);
    EntryFormsTest entryForms;
    failures += QTest::qExec(&entryForms, argc, argv);
    PlotTest plot;
    failures += QTest::qExec(&plot, argc, argv);
    GridCtrlTest gridCtrl;
    failures += QTest::qExec(&gridCtrl, argc, argv);
    GridFormTest gridForm;
    failures += QTest::qExec(&gridForm, argc, argv);
    return failures == 0 ? 0 : 1;
}
