#pragma once

#include <QString>

// Every message box of the program goes through here, so that tests can
// answer and record them.
class Messages {
public:
    virtual ~Messages() = default;

    // Information icon, OK button.
    virtual void inform(const QString& text, const QString& caption) = 0;
    // Question icon, Yes and No buttons; true for Yes.
    virtual bool ask(const QString& text, const QString& caption) = 0;
    // A failure's description, OK button only, the program's name as caption.
    virtual void showError(const QString& description) = 0;

    static Messages& instance();
    // Replaces the message boxes (tests); nullptr restores them. Not owned.
    static void install(Messages* messages);
};

// The program's name, the caption of error boxes.
QString applicationTitle();
