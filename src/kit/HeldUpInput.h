#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <QString>
#include <QVector>
#include <optional>

class QInputEvent;
class QWidget;

// Clicks and keys the operator gave while the program was held up (a server
// out of reach, a busy database, a long print) arrive all at once when it is
// free again, and run then: three clicks on Add Item during a freeze stored
// three lines. An operator who sees nothing happen presses again; one who
// types ahead (a code scanned, a quantity, then Add Item) means every key.
// So this filter drops a press made while the program was held up only when
// it repeats the operator's press just before it, taken during the hold-up or
// just before it began: a click or Space on a button on the control pressed
// just before, or Enter again. On a screen where Enter does what one of its
// buttons does (a bill screen prints), Enter and a click on that button are
// one press. Typing in between, or the wheel on a list box, keeps what
// follows, and dropping nothing else keeps a sequence typed ahead whole.
// Clicks on a grid or list are never repeats: each picks its own row, and
// picking one again does no harm.
//
// A heartbeat timer notes every stretch longer than the limit in which the
// event loop did not run. The window system stamps each click and key with
// its own clock; the smallest gap seen between that stamp and our clock is
// how the two clocks differ, so each event's stamp tells when it was made.
// The release of a press that was dropped is dropped too. Input made while
// the program answers is never touched, whatever the clocks do.
class HeldUpInput : public QObject {
public:
    static constexpr int LimitMs = 1000;

    // Filters the input of every window of the application from now on.
    static void install();
    // The property by which a screen names the button Enter presses on it,
    // wherever the focus is (a QObject*).
    static constexpr const char* EnterPressesProperty = "enterPresses";

    explicit HeldUpInput(int limitMs = LimitMs, QObject* parent = nullptr);

    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    struct Stretch {
        qint64 from = 0;
        qint64 to = 0;
    };

    // What a press presses: a control, or Enter in a box; none for typing.
    struct Pressed {
        QPointer<QObject> on;
        bool enterInBox = false;
    };

    // A list box or a date box the wheel turned since the last press, with
    // what it showed before.
    struct Wheeled {
        QPointer<QWidget> box;
        QString before;
    };

    void beat();
    void noteWheeledBox(const QPoint& at);
    static QString shownValue(const QWidget* box);
    // When the input was made, on our clock; none for input the program made.
    std::optional<qint64> madeAt(const QInputEvent& input);
    // When the hold-up the program was in at that moment began, if it was in one.
    std::optional<qint64> heldUpSince(qint64 made) const;
    static Pressed pressedBy(const QInputEvent& input);

    const int m_limitMs;
    QElapsedTimer m_clock;
    QTimer m_heartbeat;
    qint64 m_lastBeat = 0;
    QVector<Stretch> m_stretches;  // the latest few, oldest first
    bool m_calibrated = false;
    qint64 m_offset = 0;        // our clock minus the window system's, at its smallest
    qint64 m_lastDelivery = 0;  // our clock at the last stamped input
    QSet<int> m_droppedPresses; // keys and mouse buttons whose press was dropped
    // What the operator's last press pressed, and when it was taken (our clock).
    Pressed m_lastPressed;
    qint64 m_lastPressTaken = 0;
    QVector<Wheeled> m_wheeled;
};
