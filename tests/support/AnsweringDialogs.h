#pragma once

#include "kit/FileDialogs.h"

// Answers the program's file dialogs with a path (empty: cancels them) while it lives.
class AnsweringDialogs : public FileDialogs {
public:
    AnsweringDialogs() { FileDialogs::install(this); }
    ~AnsweringDialogs() override { FileDialogs::install(nullptr); }
    QString saveFileName(QWidget*, const QString&, const QString& suggested, const QString&) override
    {
        offered = suggested;
        return answer;
    }
    QString openFileName(QWidget*, const QString&, const QString& folder, const QString&) override
    {
        offered = folder;
        return answer;
    }
    QString answer;
    QString offered;  // the file or folder the dialog started from
};
