// The customer list printed to a PDF file, and the program's start up to its
// login window.

#include "Runner.h"
#include "Shop.h"
#include "masters/MasterListings.h"
#include "print/Destination.h"
#include "print/PrinterDevice.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>

namespace bench {

QVector<Group> listingGroups(Shop& shop, const QString& folder)
{
    const QString pdf = QDir(folder).filePath(QStringLiteral("customers.pdf"));
    Operation customers{QStringLiteral("%1 customers printed to PDF").arg(shop.size().customers), Goal::Listing};
    customers.prepare = [pdf] {
        print::installDestination([pdf] { return print::PrinterDevice::forPdfFile(pdf); });
    };
    customers.act = [] { masters::printMasterListing(QStringLiteral("Customer")); };
    customers.check = [pdf]() -> QString {
        return QFileInfo(pdf).size() > 1000 ? QString() : QStringLiteral("no PDF file");
    };
    customers.restore = [pdf] {
        print::restoreDefaultDestination();
        QFile::remove(pdf);
    };
    Group group;
    group.title = QStringLiteral("Listings");
    group.operations << customers;
    return {group};
}

// The program is started as the operator starts it; it says when its login
// window has been painted (BILL_REPORT_SHOWN) and ends there.
Group startUpGroup(const QString& program)
{
    Operation start{QStringLiteral("program start to login window shown"), Goal::StartUp};
    auto failure = std::make_shared<QString>();
    start.timeOneRun = [program, failure]() -> double {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("BILL_REPORT_SHOWN"), QStringLiteral("1"));
        process.setProcessEnvironment(environment);
        QElapsedTimer timer;
        timer.start();
        process.start(program, {});
        double shown = -1;
        while (process.waitForReadyRead(10000)) {
            if (process.readAllStandardOutput().contains("shown")) {
                shown = double(timer.nsecsElapsed()) / 1e6;
                break;
            }
        }
        if (!process.waitForFinished(10000))
            process.kill();
        if (shown < 0)
            *failure = QStringLiteral("the login window was not reported (%1)").arg(program);
        return shown;
    };
    start.check = [failure] { return *failure; };
    Group group;
    group.title = QStringLiteral("Start");
    group.operations << start;
    return group;
}

}  // namespace bench
