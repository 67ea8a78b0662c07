#include "shell/PasswordBox.h"

#include <QApplication>
#include <QLineEdit>
#include <QProxyStyle>

namespace passwordbox {

namespace {

// The application's style, except that password boxes mask with "X".
class XMaskStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return 'X';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QStyle* xMaskStyle()
{
    // One style for every password box of the run; it must outlive them all.
    static QStyle* style = [] {
        auto* s = new XMaskStyle;
        s->setParent(qApp);
        return s;
    }();
    return style;
}

}  // namespace

void showAsX(QLineEdit* box)
{
    box->setStyle(xMaskStyle());
    box->setEchoMode(QLineEdit::Password);
}

}  // namespace passwordbox
