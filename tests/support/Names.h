#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// The object names the screens and their controls carry: the one place the tests spell them.
namespace ui {

using Name = const QString;

// Screens, as the menu and the catalog name them.
inline Name BillOne = "BillOne", BillTwo = "BillTwo", ItemInFrm = "ItemInFrm", Expenditure = "Expenditure";
inline Name Customers = "CustomerEnty", Items = "ItemEntry", Suppliers = "Supplier",
            Personnel = "ExpenditurePersonnelEntry", Heads = "Expenditure_Head";
inline Name BillQuery = "PrintAll", ReceiptQuery = "ReceiveItemQuery", StockQuery = "StockQuery",
            ExpenditureQuery = "ExpenditureQuery";
inline Name Login = "LOGIN", ChangePwd = "ChangePwd", About = "About", ShopDetails = "ShopDetails";
inline Name SellingPrices = "SellingPrices";

// The line-document screens (bills, receipt, voucher): the party, the document, the line, the buttons.
inline Name PartyNumber = "CMBMEMBERNUM", PartyName = "txtname", Address = "txtaddress", Phone = "txtphone",
            ByPhone = "chkph", Remark = "txtRemark";
inline Name Number = "cmbbillnumber", Date = "DTP", Grid = "DGG", GrandTotal = "lblGrandTotal";
inline Name Item = "cmbitem", Quantity = "txtquantity", Tax = "txttax", Discount = "txtDiscount", Code = "CmbCode",
            Batch = "txtBatch", Amount = "txtAmount";
inline Name Add = "CmbAdd", DeleteSerial = "cmdDelSerial", DeleteDocument = "cmdDELET", NewDocument = "CmdNewBill",
            Print = "CndPrintBill";

// The master screens: the record's boxes, its buttons, the search boxes.
inline Name Sn = "CmbSN", Second = "txtpn", MasterPhone = "txtremark";
inline Name Save = "CmdSave", Delete = "cmddelete", PrintList = "cmdprintstatus";
inline Name SearchName = "txtone", SearchSecond = "txttwo", SearchPhone = "txtphone";

// The query screens: ranges, lists, buttons and the sums' frame.
inline Name From = "CmbFrom", To = "cmbTo", FromDate = "DTP1", ToDate = "DTP2", Head = "cmbhead", StockName = "cmbname";
inline Name Show = "CmdShow", PrintRange = "cmdprin", ShowDates = "Cnddate", PrintDates = "Condate",
            ShowTotal = "ComShowTotal", PrintTotal = "ComPrintTotal", ShowName = "cmdName", PrintName = "cmdpringname",
            ShowAll = "cmdAll", PrintAllStock = "cmdprintall";
inline Name Sums = "frmamount", SumAmount = "lblamount", SumDiscount = "lbldiscount", SumTax = "lbltax";

// Selling prices: the search, the item code's MRP and its button.
inline Name Find = "txtfind", CodeMrp = "txtmrp", SetCodeMrp = "cmdsetcode";
// The shop's letterhead, line by line.
inline const QStringList LetterheadBoxes{"txtShopName", "txtAddress1", "txtAddress2", "txtCity", "txtPhone"};

// Login, password change, About.
inline Name User = "txtUID", Password = "TXTpass", LogIn = "LOGIN", End = "cmd", Banner = "Command1";
inline Name NewPassword = "txtPwd", Again = "txtReenter", ChangePassword = "CmdPass";

// The main menu's entries, and the screen each opens.
inline Name MakeBillEntry = "mnuMakeBill", ChangePasswordEntry = "mnuChangePassword", AboutEntry = "mnuAbout",
            CloseEntry = "mnuClose";
inline const QList<QPair<QString, QString>> MenuScreens{
    {"mnuItemEntry", Items}, {"mnuCustomerEntry", Customers}, {"mnuSupplier", Suppliers}, {"mnuItemReceive", ItemInFrm},
    {"mnuItemReceiveQuery", ReceiptQuery}, {"mnuStockQuery", StockQuery}, {MakeBillEntry, BillOne},
    {"mnuMakeBillWithDetails", BillTwo}, {"mnuBill", BillQuery}, {"mnuExpenditureHead", Heads},
    {"mnuPersonnelEntry", Personnel}, {"mnuExpenditur_Detail", Expenditure}, {"mnuExpenditureQuery", ExpenditureQuery},
    {ChangePasswordEntry, ChangePwd}, {AboutEntry, About}, {"mnuSellingPrices", SellingPrices},
    {"mnuShopDetails", ShopDetails}};

}  // namespace ui
