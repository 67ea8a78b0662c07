#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("bill"));
    QLabel placeholder(QStringLiteral("Bill Software"));
    placeholder.show();
    return app.exec();
}
