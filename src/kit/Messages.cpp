#include "kit/Messages.h"

#include <QApplication>
#include <QMessageBox>

QString applicationTitle()
{
    return QStringLiteral("Bill Software");
}

namespace {

class MessageBoxes : public Messages {
public:
    void inform(const QString& text, const QString& caption) override
    {
        QMessageBox::information(QApplication::activeWindow(), caption, text);
    }
    bool ask(const QString& text, const QString& caption) override
    {
        return QMessageBox::question(QApplication::activeWindow(), caption, text,
                                     QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
            == QMessageBox::Yes;
    }
    void showError(const QString& description) override
    {
        QMessageBox::warning(QApplication::activeWindow(), applicationTitle(), description);
    }
};

MessageBoxes boxes;
Messages* installed = nullptr;

}  // namespace

Messages& Messages::instance()
{
    return installed ? *installed : boxes;
}

void Messages::install(Messages* messages)
{
    installed = messages;
}
