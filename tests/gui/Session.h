#pragma once

#include "Fakes.h"
#include "app/CMainFrame.h"
#include "app/CVelutraApp.h"
#include "app/FormView.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// One run of the program with scripted dialogs, started in the current directory.
struct Session {
    FakeMessageSink messages;
    FakeFileDialogs dialogs;
    velutra::CVelutraApp app { messages, dialogs };

    bool Start(const QStringList& extraArguments = {}) {
        return app.InitInstance(QStringList { "velutra" } + extraArguments);
    }
    // Starts and walks to a form; false when the program did not start there.
    [[nodiscard]] bool StartAt(int formId, const QStringList& extraArguments = {}) {
        return Start(extraArguments) && GoTo(formId);
    }
    velutra::CMainFrame& Frame() { return *app.Frame(); }
    velutra::CompressorRecord& Record() { return app.Record(); }
    int FormId() { return Frame().CurrentFormId(); }

    // Lets the frame handle what was posted to it.
    void Settle() { QCoreApplication::sendPostedEvents(); }

    // The helpers that can fail record the failure and return false; a test checks them with
    // QVERIFY so that it stops there (a QFAIL here would return from the helper only).
    [[nodiscard]] bool Click(const QString& caption) {
        for (auto* button : Frame().CurrentForm()->findChildren<QPushButton*>())
            if (button->text() == caption) {
                QTest::mouseClick(button, Qt::LeftButton);
                return true;
            }
        QTest::qFail(qPrintable("no button " + caption), __FILE__, __LINE__);
        return false;
    }

    // Clicks a button of the current form and lets the frame switch.
    [[nodiscard]] bool Press(const QString& caption) {
        if (!Click(caption))
            return false;
        Settle();
        return true;
    }

    void Trigger(int commandId) {
        Frame().Command(commandId)->trigger();
        Settle();
    }

    // The current form's control with an accessible name, or nullptr.
    template <typename T = QWidget> T* Find(const QString& accessibleName) {
        for (auto* widget : Frame().CurrentForm()->findChildren<T*>())
            if (widget->accessibleName() == accessibleName)
                return widget;
        return nullptr;
    }
    QString Text(const QString& accessibleName) {
        auto* edit = Find<QLineEdit>(accessibleName);
        return edit ? edit->text() : QStringLiteral("<no field %1>").arg(accessibleName);
    }
    // Replaces the text of a field by typing, key by key.
    void Type(const QString& accessibleName, const QString& text) {
        auto* edit = Find<QLineEdit>(accessibleName);
        QVERIFY2(edit, qPrintable("no field " + accessibleName));
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

    // Walks the buttons to a form: description -> map -> plots -> smoothed map.
    [[nodiscard]] bool GoTo(int formId) {
        for (int step = 0; step < 3 && FormId() != formId; ++step)
            if (!Press("Next >>"))
                return false;
        if (FormId() == formId)
            return true;
        QTest::qFail(qPrintable(QString("reached form %1 instead of %2").arg(FormId()).arg(formId)), __FILE__,
            __LINE__);
        return false;
    }
};
