#include "kit/FileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>
#include <QRegularExpression>

namespace {

class QtFileDialogs : public FileDialogs {
public:
    QString saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                         const QString& filter) override
    {
        QFileDialog dialog(parent, caption);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilter(filter);
        dialog.selectFile(suggested);
        // "CSV files (*.csv)": the suffix after the filter's first "*."
        static const QRegularExpression suffix(QStringLiteral(R"(\*\.(\w+))"));
        dialog.setDefaultSuffix(suffix.match(filter).captured(1));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        return dialog.selectedFiles().constFirst();
    }

    QString openFileName(QWidget* parent, const QString& caption, const QString& folder, const QString& filter) override
    {
        return QFileDialog::getOpenFileName(parent, caption, folder, filter);
    }
};

QtFileDialogs dialogs;
FileDialogs* installed = nullptr;

}  // namespace

QString FileDialogs::documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).exists() ? documents : QDir::homePath();
}

FileDialogs& FileDialogs::instance()
{
    return installed ? *installed : dialogs;
}

void FileDialogs::install(FileDialogs* replacement)
{
    installed = replacement;
}
