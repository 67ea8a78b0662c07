#include "core/Memory.h"
#include "kit/HeldUpInput.h"
#include "kit/KeyRepeats.h"
#include "shell/ArchiveMode.h"
#include "shell/LOGIN.h"
#include "shell/MDIForm1.h"
#include "shell/Pictures.h"
#include "shell/StartupReport.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QGuiApplication>
#include <QScreen>

int main(int argc, char* argv[])
{
    memory::keepFreedMemory();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("bill"));
    QApplication::setWindowIcon(pictures::programIcon());
    HeldUpInput::install();
    KeyRepeats::install();

    // bill --archive FILE looks back at a closed year instead of working on the shop's database.
    QCommandLineParser parser;
    const QCommandLineOption archive(QStringLiteral("archive"),
                                     QStringLiteral("Looks back at a closed year: the archive FILE that billdb "
                                                    "close-year wrote, read only."),
                                     QStringLiteral("FILE"));
    parser.addOption(archive);
    parser.addHelpOption();
    parser.process(app);
    if (parser.isSet(archive) && !shell::openArchive(parser.value(archive)))
        return 1;

    // Nothing else touches the database until a button is pressed.
    LOGIN login;
    login.setWindowTitle(shell::captionOf(login.windowTitle()));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        login.move(screen->availableGeometry().center() - login.rect().center());
    shell::reportFirstPaint(&login);
    login.show();

    const int code = app.exec();
    delete MDIForm1::existing();
    return code;
}
