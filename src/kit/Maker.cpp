#include "kit/Maker.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace maker {

void openWebPage()
{
    QDesktopServices::openUrl(QUrl(WebAddress));
}

}  // namespace maker
