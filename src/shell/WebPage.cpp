#include "shell/WebPage.h"

#include "core/Maker.h"
#include "kit/Twips.h"
#include "shell/Pictures.h"

#include <QDesktopServices>
#include <QPushButton>
#include <QUrl>

namespace maker {

void openWebPage()
{
    QDesktopServices::openUrl(QUrl(WebAddress));
}

QPushButton* bannerButton(QWidget* parent, int left, int top, int width, int height, QSize margin)
{
    auto* button = new QPushButton(parent);
    twips::place(button, "Command1", left, top, width, height);
    button->setIcon(pictures::banner(button->size() - margin));
    button->setIconSize(button->size() - margin);
    button->setToolTip(WebAddress);
    return button;
}

}  // namespace maker
