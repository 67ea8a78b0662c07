#include "shell/WebPage.h"

#include "core/Maker.h"

#include <QDesktopServices>
#include <QUrl>

namespace maker {

void openWebPage()
{
    QDesktopServices::openUrl(QUrl(WebAddress));
}

}  // namespace maker
