#include "shell/ShopDetails.h"

#include "data/Tables.h"
#include "kit/Connectx.h"
#include "kit/Controls.h"
#include "kit/DatabaseChange.h"
#include "kit/FailureStyles.h"
#include "kit/Messages.h"
#include "kit/Twips.h"
#include "stores/ShopHeaderStore.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int ClientWidth = 9000;
constexpr int ClientHeight = 4320;

QLineEdit* line(QWidget* screen, const QString& caption, const char* name, int top, const QString& placeholder)
{
    auto* label = new QLabel(caption, screen);
    twips::place(label, 120, top, 1800, 375);
    QLineEdit* box = controls::textBox(screen, QString(), schema::TextWidth);  // as the master screens' boxes
    // What a print shows while the line is not stored.
    box->setPlaceholderText(placeholder);
    twips::place(box, name, 2040, top, 6720, 375);
    return box;
}

}  // namespace

ShopDetails::ShopDetails(QWidget* parent)
    : DataScreen(QStringLiteral("ShopDetails"), QStringLiteral("Shop Details"), ClientWidth, ClientHeight, parent)
{
    setKeyRules(KeyRules{});  // as the master screens: Esc closes, no apostrophe, capitals

    Label1 = addTitleBand(QStringLiteral(": Shop Details :"), ClientWidth);
    const ShopHeader placeholders = stores::ShopHeaderStore::placeholders();
    txtShopName = line(this, QStringLiteral("Shop Name :"), "txtShopName", 600, placeholders.shopName);
    txtAddress1 = line(this, QStringLiteral("Address 1 :"), "txtAddress1", 1140, placeholders.address1);
    txtAddress2 = line(this, QStringLiteral("Address 2 :"), "txtAddress2", 1680, placeholders.address2);
    txtCity = line(this, QStringLiteral("City :"), "txtCity", 2220, placeholders.city);
    txtPhone = line(this, QStringLiteral("Phone :"), "txtPhone", 2760, placeholders.phone);
    CmdSave = controls::button(this, QStringLiteral("CmdSave"), QStringLiteral("Save"));
    twips::place(CmdSave, 2040, 3360, 1455, 735);
    connect(CmdSave, &QPushButton::clicked, this, [this] { save(); });
    auto* hint = new QLabel(QStringLiteral("Every bill, receipt, list and report is printed under these lines."), this);
    hint->setWordWrap(true);
    twips::place(hint, "lblhint", 3720, 3360, 5040, 735);

    setFixedSize(sizeHint());
    load();
}

// The letterhead as stored; a database without one shows empty boxes.
void ShopDetails::load()
{
    const stores::ShopHeaderStore header;
    stopAtFirstError([&] {
        connectx(header.connection());
        const ShopHeader stored = header.read().value_or(ShopHeader{});
        txtShopName->setText(stored.shopName);
        txtAddress1->setText(stored.address1);
        txtAddress2->setText(stored.address2);
        txtCity->setText(stored.city);
        txtPhone->setText(stored.phone);
    });
    header.close();
}

// The five lines replace the stored ones together. Without a shop name
// nothing happens; a Save that stored nothing leaves what was typed.
void ShopDetails::save()
{
    const OperationScope operation;
    if (txtShopName->text().isEmpty())
        return;
    const ShopHeader letterhead{txtShopName->text(), txtAddress1->text(), txtAddress2->text(), txtCity->text(),
                                txtPhone->text()};
    const stores::ShopHeaderStore header;
    const bool saved = stopAtFirstError([&] {
        connectx(header.connection());
        change::together(header.connection(), [&] { header.save(letterhead); });
    });
    header.close();
    if (saved)
        Messages::instance().inform(QStringLiteral("Saved"), QStringLiteral("Info"));
}
