#pragma once

#include "print/PrintJob.h"
#include "support/BillingOperator.h"
#include "support/RecordingMessages.h"
#include "support/TestDatabase.h"
#include "support/TextCapture.h"

#include <memory>

// What a test of a line-document screen holds: its database, the messages
// shown, the jobs printed, the screen and the operator driving it. A test
// class derives from it (after QObject) and calls reset() and close() from
// its init() and cleanup().
template <class Screen>
struct ScreenBench {
    TestDatabase db;
    RecordingMessages messages;
    std::shared_ptr<print::CaptureLog> printed;
    std::unique_ptr<Screen> screen;
    std::unique_ptr<billingtest::BillOperator> op;

    // Stores the rows, then opens the screen as the menu would.
    billingtest::BillOperator& open(const QStringList& rows = {})
    {
        for (const QString& row : rows)
            db.exec(row);
        screen = std::make_unique<Screen>();
        screen->show();
        op = std::make_unique<billingtest::BillOperator>(screen.get());
        return *op;
    }

    // Empty tables but the first user and the shop's letterhead, no failing
    // triggers, nothing said, prints captured.
    void reset()
    {
        db.reset();
        for (const QString& drop : billingtest::dropFailingTriggers())
            db.exec(drop);
        db.exec(billingtest::ShopHeaderRow);
        messages.clear();
        messages.answers.clear();
        printed = print::installCapture();
    }

    void close()
    {
        op.reset();
        screen.reset();
        print::restoreDefaultDestination();
    }
};
