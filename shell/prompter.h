#pragma once

#include <QString>

// Every message box of the program goes through this interface, so the engine
// never shows a dialog itself and tests can answer and record what is asked.
// A window passes the caption and text exactly as the user must see them.
class Prompter {
public:
    virtual ~Prompter() = default;

    // Information icon, one OK button: refusals, cancellations, the success message.
    virtual void information(const QString& caption, const QString& text) = 0;
    // Question icon, Yes and No (Yes the default); true for Yes.
    virtual bool question(const QString& caption, const QString& text) = 0;
    // Error icon, one OK button: failures reported with the system's or the encoder's text.
    virtual void error(const QString& caption, const QString& text) = 0;
    // No icon, one OK button.
    virtual void plain(const QString& caption, const QString& text) = 0;
};
