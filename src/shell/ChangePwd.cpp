#include "shell/ChangePwd.h"

#include "core/ShiftText.h"
#include "kit/Connectx.h"
#include "kit/Controls.h"
#include "kit/DatabaseChange.h"
#include "kit/FailureStyles.h"
#include "kit/Messages.h"
#include "kit/Twips.h"
#include "shell/PasswordBox.h"
#include "stores/UserStore.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
const QString Caption = QStringLiteral("Admin");
}

ChangePwd::ChangePwd(QWidget* parent)
    : DataScreen(QStringLiteral("ChangePwd"), QStringLiteral("Change Password"), 5985, 2595, parent)
{
    setKeyRules(KeyRules::escOnly());

    Frame1 = new QGroupBox(this);
    twips::place(Frame1, "Frame1", 120, 60, 5745, 2415);

    Label2 = new QLabel(QStringLiteral("User ID :"), Frame1);
    twips::place(Label2, "Label2", 240, 300, 1800, 315);
    txtUID = controls::editableList(Frame1, QStringLiteral("txtUID"), controls::NoLengthLimit);
    twips::place(txtUID, "txtUID", 2160, 270, 3300, 375);

    Label1 = new QLabel(QStringLiteral("Password :"), Frame1);
    twips::place(Label1, "Label1", 240, 780, 1800, 315);
    txtPwd = new QLineEdit(Frame1);
    passwordbox::showAsX(txtPwd);
    twips::place(txtPwd, "txtPwd", 2160, 750, 3300, 375);

    Label6 = new QLabel(QStringLiteral("Re enterPassword :"), Frame1);
    twips::place(Label6, "Label6", 240, 1260, 1800, 315);
    txtReenter = new QLineEdit(Frame1);
    passwordbox::showAsX(txtReenter);
    twips::place(txtReenter, "txtReenter", 2160, 1230, 3300, 375);

    CmdPass = new QPushButton(QStringLiteral("Change Password"), Frame1);
    twips::place(CmdPass, "CmdPass", 2160, 1770, 2100, 465);
    connect(CmdPass, &QPushButton::clicked, this, [this] { Changepassword(txtUID, txtPwd, txtReenter); });

    for (QLabel* label : {Label2, Label1, Label6})
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setFixedSize(sizeHint());
}

void ChangePwd::Changepassword(QComboBox* user, QLineEdit* password, QLineEdit* reenter)
{
    if (user->currentText().isEmpty() || password->text().isEmpty() || reenter->text().isEmpty())
        return;

    if (password->text() != reenter->text()) {
        Messages::instance().inform(QStringLiteral("Both password not same. Please re-enter both password"),
                                    Caption);
        user->setEditText(QString());
        password->clear();
        return;
    }

    // A password the transform cannot store is refused before anything is sent.
    QString shifted;
    SkipFailing shift;
    if (!shift([&] { shifted = password::ShiftText(password->text(), password::StoredShift); })) {
        Messages::instance().inform(shift.lastError(), Caption);
        return;
    }

    const stores::UserStore users;
    connectx(users.connection());
    if (!users.isOpen())
        return;  // the failed open has been shown to the operator

    const QString name = user->currentText();
    bool changed = false;
    const bool sent = stopAtFirstError(
        [&] { change::together(users.connection(), [&] { changed = users.changePassword(name, shifted); }); });
    users.close();
    if (!sent)
        return;  // the operator has been told why (change::together)
    // Only a password that was stored is reported as changed.
    if (changed)
        Messages::instance().inform(QStringLiteral("Password changed"), Caption);
    else
        Messages::instance().inform(QStringLiteral("There is no user \"%1\". No password was changed.").arg(name),
                                    Caption);
}
