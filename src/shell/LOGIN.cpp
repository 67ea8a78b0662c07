#include "shell/LOGIN.h"

#include "core/Maker.h"
#include "core/ShiftText.h"
#include "kit/Controls.h"
#include "kit/BoxNames.h"
#include "kit/FailureStyles.h"
#include "kit/Messages.h"
#include "kit/TabOrder.h"
#include "kit/Twips.h"
#include "shell/CheckM.h"
#include "shell/PasswordBox.h"
#include "shell/Pictures.h"
#include "shell/ProgramEnd.h"
#include "shell/WebPage.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

LOGIN::LOGIN(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("LOGIN"));
    setWindowTitle(QStringLiteral("Login"));

    Command1 = maker::bannerButton(this, 180, 180, 6240, 1140, QSize(10, 8));
    connect(Command1, &QPushButton::clicked, this, &LOGIN::Command1_Click);

    Frame1 = new QGroupBox(this);
    twips::place(Frame1, "Frame1", 180, 1440, 6240, 2700);

    Image3 = new QLabel(Frame1);
    twips::place(Image3, "Image3", 180, 300, 1320, 1980);
    Image3->setPixmap(pictures::receipt(Image3->size()));

    Label7 = new QLabel(QStringLiteral("Welcome. Please log in."), Frame1);
    twips::place(Label7, "Label7", 1680, 240, 4380, 360);
    QFont welcome = Label7->font();
    welcome.setBold(true);
    welcome.setPointSize(welcome.pointSize() + 1);
    Label7->setFont(welcome);
    Label7->setStyleSheet(QStringLiteral("color: #18365f;"));

    Label155 = new QLabel(QStringLiteral("User Id :"), Frame1);
    twips::place(Label155, "Label155", 1680, 780, 1200, 375);
    txtUID = controls::editableList(Frame1, QStringLiteral("txtUID"), controls::NoLengthLimit);
    txtUID->setEditText(QStringLiteral("Admin"));
    txtUID->setToolTip(QStringLiteral("Admin"));
    twips::place(txtUID, "txtUID", 2940, 780, 3000, 375);

    Label2555 = new QLabel(QStringLiteral("Passwod :"), Frame1);
    twips::place(Label2555, "Label2555", 1680, 1260, 1200, 375);
    // Starts empty: a preset password would be a password for everyone.
    TXTpass = new QLineEdit(Frame1);
    passwordbox::showAsX(TXTpass);
    TXTpass->setToolTip(QStringLiteral("Password"));
    twips::place(TXTpass, "TXTpass", 2940, 1260, 3000, 375);

    LOGINButton = new QPushButton(Frame1);
    twips::place(LOGINButton, "LOGIN", 2940, 1860, 1980, 600);
    LOGINButton->setIcon(pictures::loginPicture(LOGINButton->size() - QSize(12, 10), LOGINButton->palette()));
    LOGINButton->setIconSize(LOGINButton->size() - QSize(12, 10));
    LOGINButton->setToolTip(QStringLiteral("Login"));
    connect(LOGINButton, &QPushButton::clicked, this, &LOGIN::LOGIN_Click);
    // The login button is the window's default button: Enter in the password box presses it.
    LOGINButton->setDefault(true);
    connect(TXTpass, &QLineEdit::returnPressed, LOGINButton, &QPushButton::click);

    cmd = new QPushButton(QStringLiteral("X"), Frame1);
    twips::place(cmd, "cmd", 5100, 1860, 840, 600);
    QFont bold = cmd->font();
    bold.setBold(true);
    cmd->setFont(bold);
    connect(cmd, &QPushButton::clicked, this, &LOGIN::cmd_Click);

    Label1 = new QLabel(maker::EmailLine, this);
    twips::place(Label1, "Label1", 180, 4260, 6240, 300);
    Label1->setAlignment(Qt::AlignCenter);

    controls::captionsOnLightGround(this);  // the window paints its own picture behind them
    taborder::chainInReadingOrder(this);
    boxnames::fromCaptions(this);
    TXTpass->setFocus();

    setFixedSize(twips::toPixels(6600, 4740, this));
}

void LOGIN::LOGIN_Click()
{
    QString shifted;
    SkipFailing shift;
    if (!shift([&] { shifted = password::ShiftText(TXTpass->text(), password::StoredShift); })) {
        Messages::instance().inform(shift.lastError(), QStringLiteral("Information"));
        return;
    }
    const QString user = txtUID->currentText();
    if (CheckM::CheckLogin(user, shifted))
        hide();
}

void LOGIN::cmd_Click()
{
    shell::endProgram();
}

void LOGIN::Command1_Click()
{
    maker::openWebPage();
}

void LOGIN::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    pictures::paintLoginBackground(painter, rect());
}
