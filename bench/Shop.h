#pragma once

#include "CeilingDatabase.h"
#include "Operation.h"
#include "core/Failure.h"
#include "data/Connection.h"
#include "kit/Messages.h"

#include <QVariant>
#include <QVector>
#include <QWidget>

class QAbstractItemView;

// What the benchmark's operations share: the database beside the screens,
// answered message boxes, and the screens opened from the main menu.
namespace bench {

// The database of the data source, reached beside the screens to set up a
// run and to put back what it changed.
class Shop {
public:
    explicit Shop(ceiling::Size size);
    const ceiling::Size& size() const { return m_size; }

    // Throws Failure.
    void exec(const QString& statement);
    QVariant value(const QString& query);
    // Every row read; how many.
    int rows(const QString& query);
    // Every batch as made: none received since, each quantity as it was.
    void restoreStock();

private:
    ceiling::Size m_size;
    Connection m_connection;
};

// Answers every question Yes and keeps the last text shown.
class AnsweringMessages : public Messages {
public:
    AnsweringMessages() { Messages::install(this); }
    ~AnsweringMessages() override { Messages::install(nullptr); }
    void inform(const QString& text, const QString&) override { last = text; }
    bool ask(const QString& text, const QString&) override { last = text; return true; }
    void showError(const QString& description) override { last = description; }
    QString last;
};

// A group of operations on one screen: set up once, torn down at the end.
struct Group {
    QString title;
    std::function<void()> setUp;
    std::function<void()> tearDown;
    QVector<Operation> operations;
};

// Opens a screen as the operator does, through its main-menu entry.
QWidget* openFromMenu(const QString& menuEntry, const QString& screenName);
void closeScreen(const QString& screenName);
QWidget* openScreen(const QString& screenName);

template <class Control>
Control* control(const QWidget* screen, const QString& name)
{
    auto* found = screen ? screen->findChild<Control*>(name) : nullptr;
    if (!found)
        throw Failure(QStringLiteral("no control ") + name);
    return found;
}

// Every row of a grid, also those its model has not read yet (not timed).
int allRows(const QAbstractItemView* view);

QVector<Group> masterGroups(Shop& shop, AnsweringMessages& messages);
QVector<Group> lineDocumentGroups(Shop& shop, AnsweringMessages& messages, const QString& folder);
QVector<Group> queryGroups(Shop& shop, const QString& folder);
QVector<Group> listingGroups(Shop& shop, const QString& folder);
QVector<Group> priceGroups(Shop& shop, AnsweringMessages& messages);
Group startUpGroup(const QString& program);

}  // namespace bench
