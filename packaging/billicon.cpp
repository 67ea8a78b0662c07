// billicon: writes the program's icon, as the program draws it, into an icon
// theme's folder at each size asked for:
//
//   billicon FOLDER SIZE...     (FOLDER/SIZExSIZE/apps/bill.png)

#include "shell/Pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList words = QCoreApplication::arguments().mid(1);
    if (words.size() < 2) {
        std::fprintf(stderr, "usage: billicon FOLDER SIZE...\n");
        return 2;
    }
    for (const QString& size : words.mid(1)) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(words.first(), size);
        const QString file = folder + QStringLiteral("/bill.png");
        if (!QDir().mkpath(folder) || !pictures::programIconPicture(size.toInt()).save(file, "PNG")) {
            std::fprintf(stderr, "billicon: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
