#include "app/CVelutraApp.h"
#include "app/QtFileDialogs.h"
#include "app/QtMessageSink.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    velutra::QtMessageSink messages;
    velutra::QtFileDialogs dialogs;
    velutra::CVelutraApp app(messages, dialogs);
    if (!app.InitInstance(QApplication::arguments()))
        return 1;
    return QApplication::exec();
}
