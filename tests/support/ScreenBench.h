#pragma once

#include "kit/DataScreen.h"
#include "print/PrintJob.h"
#include "support/TextCapture.h"
#include "shell/ScreenCatalog.h"
#include "support/Operator.h"
#include "support/RecordingMessages.h"
#include "support/Rows.h"
#include "support/TestDatabase.h"

#include <QPointer>
#include <memory>

// A screen test's database, messages, print jobs, screen and operator. A test class derives from it
// (after QObject) and calls reset() and close() from its init() and cleanup().
struct ScreenBench {
    TestDatabase db;
    RecordingMessages messages;
    std::shared_ptr<print::CaptureLog> printed;
    QPointer<QWidget> screen;  // deleted when it closes (Esc)
    std::unique_ptr<Operator> op;

    // Stores the rows, then opens the named screen as the menu would.
    Operator& open(const QString& name, const QStringList& rows = {})
    {
        for (const QString& row : rows)
            db.exec(row);
        delete screen;
        screen = catalog::createScreen(name, nullptr);
        if (!screen)
            qFatal("no screen %s", qPrintable(name));
        screen->show();
        op = std::make_unique<Operator>(screen.data());
        return *op;
    }

    // Empty tables but the first user and the letterhead; nothing said, prints captured.
    void reset()
    {
        db.reset();
        for (const QString& drop : rows::dropFailingTriggers())
            db.exec(drop);
        db.exec(rows::ShopHeader);
        messages.clear();
        messages.answers.clear();
        printed = print::installCapture();
    }

    void close()
    {
        op.reset();
        delete screen;
        print::restoreDefaultDestination();
    }
};
