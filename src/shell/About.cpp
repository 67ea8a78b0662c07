#include "shell/About.h"

#include "core/Maker.h"
#include "kit/Controls.h"
#include "kit/Twips.h"
#include "shell/WebPage.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

About::About(QWidget* parent)
    : DataScreen(QStringLiteral("About"), QStringLiteral("About"), 9090, 7140, parent)
{
    setKeyRules(KeyRules::escOnly());

    auto label = [&](const QString& text, const char* name, int top, int height, int pointSize, bool bold) {
        auto* l = new QLabel(text, Shape3);
        twips::place(l, name, 120, top, 8370, height);
        l->setAlignment(Qt::AlignCenter);
        QFont font = l->font();
        font.setPointSize(pointSize);
        font.setBold(bold);
        l->setFont(font);
        return l;
    };

    Shape3 = new QFrame(this);
    Shape3->setFrameShape(QFrame::Box);
    Shape3->setStyleSheet(QStringLiteral("#Shape3 { border: 2px solid #18365f; border-radius: 6px; background: #f7f9fc; }"));
    twips::place(Shape3, "Shape3", 240, 240, 8610, 4800);

    Label23 = label(QStringLiteral("Software Designed by"), "Label23", 480, 420, 11, false);
    Label22 = label(maker::Name, "Label22", 960, 600, 16, true);
    Label22->setStyleSheet(QStringLiteral("color: #18365f;"));
    Label21 = label(QStringLiteral("For support and new features, please contact us:"), "Label21", 2040, 360, 10, false);
    Label18 = label(maker::EmailLine, "Label18", 2580, 360, 10, false);
    Label19 = label(maker::WebLine, "Label19", 3000, 360, 10, false);
    Label20 = label(QStringLiteral("Bill Software, version 1.0"), "Label20", 3960, 360, 9, false);
    Label20->setStyleSheet(QStringLiteral("color: #606060;"));
    controls::captionsOnLightGround(Shape3);

    Command1 = maker::bannerButton(this, 240, 5280, 8610, 1440, QSize(12, 10));
    connect(Command1, &QPushButton::clicked, this, &About::Command1_Click);

    setFixedSize(sizeHint());
}

void About::Command1_Click()
{
    maker::openWebPage();
}
