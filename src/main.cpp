#include "core/Memory.h"
#include "shell/LOGIN.h"
#include "shell/MDIForm1.h"
#include "shell/Pictures.h"
#include "shell/StartupReport.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

int main(int argc, char* argv[])
{
    memory::keepFreedMemory();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("bill"));
    QApplication::setWindowIcon(pictures::programIcon());

    // Nothing touches the database until a button is pressed.
    LOGIN login;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        login.move(screen->availableGeometry().center() - login.rect().center());
    shell::reportFirstPaint(&login);
    login.show();

    const int code = app.exec();
    delete MDIForm1::existing();
    return code;
}
