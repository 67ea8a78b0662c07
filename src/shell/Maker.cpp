#include "shell/Maker.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace maker {

void openWebPage()
{
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(WebAddress)));
}

}  // namespace maker
