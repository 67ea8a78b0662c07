#include "kit/FileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QStandardPaths>
#include <QRegularExpression>

namespace {

// A file's icon and kind from its name; no file is opened.
class KindByName : public QAbstractFileIconProvider {
public:
    QIcon icon(IconType type) const override { return m_plain.icon(type); }
    QIcon icon(const QFileInfo& info) const override
    {
        return m_plain.icon(info.isDir() ? QAbstractFileIconProvider::Folder : QAbstractFileIconProvider::File);
    }
    QString type(const QFileInfo& info) const override
    {
        if (info.isDir())
            return QStringLiteral("Folder");
        return info.suffix().isEmpty() ? QStringLiteral("File") : info.suffix().toUpper() + QStringLiteral(" File");
    }

private:
    QFileIconProvider m_plain;
};

class QtFileDialogs : public FileDialogs {
public:
    QString saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                         const QString& filter) override
    {
        QFileDialog dialog(parent, caption);
        setUp(dialog);
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
        QFileDialog dialog(parent, caption, folder, filter);
        setUp(dialog);
        dialog.setFileMode(QFileDialog::ExistingFile);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        return dialog.selectedFiles().constFirst();
    }
};

QtFileDialogs dialogs;
FileDialogs* installed = nullptr;

}  // namespace

void FileDialogs::setUp(QFileDialog& dialog)
{
    static KindByName kinds;
    // A desktop's own dialog would tell kinds by contents again.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setIconProvider(&kinds);
}

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
