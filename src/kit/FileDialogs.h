#pragma once

#include <QString>

class QFileDialog;
class QWidget;

// Every file dialog of the program goes through here, so that tests can
// answer it without an operator.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;

    // The file the operator chooses to save into, starting from the suggested
    // path (its folder and name); empty when he cancels. The filter names the
    // kind of file ("CSV files (*.csv)"), whose suffix is added to a name
    // typed without one.
    virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                                 const QString& filter) = 0;
    // The existing file the operator chooses to open, starting in the
    // folder; empty when he cancels. The filter as above.
    virtual QString openFileName(QWidget* parent, const QString& caption, const QString& folder,
                                 const QString& filter) = 0;

    // Where a file dialog first looks: the documents folder, or the home
    // folder on an account without one.
    static QString documentsFolder();

    // How every dialog is set up: files' kinds told by their names alone.
    // Qt's dialog reads a file's first bytes to tell its kind, and closing
    // that descriptor drops every lock SQLite holds on the file in this
    // process (the shop's database, shown in the dialog): another program
    // then took the database as closed and removed its log, with the rows
    // the program had stored since.
    static void setUp(QFileDialog& dialog);

    static FileDialogs& instance();
    // Replaces the dialogs (tests); nullptr restores them. Not owned.
    static void install(FileDialogs* dialogs);
};
