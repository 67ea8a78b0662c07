#pragma once

#include <QClipboard>
#include <QSet>
#include <QWidget>
#include <functional>

class QAbstractItemView;
class QLabel;
class QLineEdit;

// What a screen does with the keys it sees before its controls.
struct KeyRules {
    bool closeOnEsc = true;
    bool dropApostrophe = true;   // keeps typed text from breaking SQL quoting
    bool upperCase = true;        // typed letters as capitals; other characters as typed
    std::function<void()> onEnter;  // Enter runs this (the screen's print) when set

    static KeyRules escOnly() { return KeyRules{true, false, false, {}}; }
};

// Base of every working screen: a child window of the main window with a
// caption, a size in twips and the key rules, applied to every key typed on
// any of its controls before that control sees it.
class DataScreen : public QWidget {
    Q_OBJECT
public:
    DataScreen(const QString& name, const QString& caption, int widthTwips, int heightTwips,
               QWidget* parent = nullptr);
    ~DataScreen() override;

    void setKeyRules(KeyRules rules) { m_rules = std::move(rules); }

    // The size the screen asks for, from its twips.
    QSize sizeHint() const override;

    // Closes the screen's window (its MDI child window when it has one).
    void closeScreen();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The first show chains the controls for Tab in reading order.
    void showEvent(QShowEvent* event) override;
    // Where a screen's Tab order differs from its reading order: called once,
    // after the reading order is chained.
    virtual void reorderTab() {}

    // The screen's title band across its top, Label1: white bold on navy.
    QLabel* addTitleBand(const QString& title, int widthTwips);

private:
    // Text pasted into a box keeps the rules typing keeps: one line, no
    // apostrophe, capitals, as the screen's rules say.
    void followTypingRulesOnPaste();
    // The box of a control whose pastes follow the rules, if it is one.
    QLineEdit* ruledBox(QObject* object) const;
    void pasteUnderTypingRules(QLineEdit* box, QClipboard::Mode mode);
    void showMenuPastingUnderTypingRules(QLineEdit* box, const QPoint& at);
    QString underTypingRules(const QString& text) const;

    void handCellFocusToItsGrid(QObject* object);
    bool isOwnWidget(QObject* object) const;
    // Closes every grid cell editor of the screen without storing what was
    // typed into it.
    void dropOpenTyping();
    // The grid whose open cell editor the object is or is in; none when it
    // is in none.
    QAbstractItemView* viewTypedIn(QObject* object) const;
    // Closes, without storing, the cell editor the focused widget is or is
    // in; false when it is in none.
    bool dropTypingAt(QWidget* focused);

    KeyRules m_rules;
    QSet<const QLineEdit*> m_ruledBoxes;
    bool m_tabOrderSet = false;
    int m_widthTwips;
    int m_heightTwips;
};
