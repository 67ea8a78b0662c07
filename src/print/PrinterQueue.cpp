#include "print/PrinterQueue.h"

#include <cups/cups.h>

namespace printerqueue {

QHash<QString, QString> attributes(const QString& printerName)
{
    QHash<QString, QString> found;
    // Qt names a queue's instance after a slash, as lpstat does.
    const QByteArray name = printerName.section(QLatin1Char('/'), 0, 0).toUtf8();
    const QByteArray instance = printerName.section(QLatin1Char('/'), 1).toUtf8();
    cups_dest_t* destination = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(),
                                                 instance.isEmpty() ? nullptr : instance.constData());
    if (!destination)
        return found;
    for (int i = 0; i < destination->num_options; ++i)
        found.insert(QString::fromUtf8(destination->options[i].name), QString::fromUtf8(destination->options[i].value));
    cupsFreeDests(1, destination);
    return found;
}

QString refusal(const QString& printerName, const QHash<QString, QString>& attributes)
{
    if (attributes.value(QStringLiteral("printer-is-accepting-jobs")) == QLatin1String("false"))
        return QStringLiteral("The printer %1 does not take prints now. Nothing was printed.").arg(printerName);
    const int stopped = 5;  // IPP's printer-state: 3 idle, 4 printing, 5 stopped
    if (attributes.value(QStringLiteral("printer-state")).toInt() == stopped)
        return QStringLiteral("The printer %1 is stopped. Nothing was printed: start the printer again, then "
                              "print again.")
            .arg(printerName);
    return {};
}

}  // namespace printerqueue
