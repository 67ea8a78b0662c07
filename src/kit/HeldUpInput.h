#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <QVector>

class QInputEvent;

// Clicks and keys the operator gave while the program was held up (a server
// out of reach, a busy database, a long print) arrive all at once when it is
// free again, and run then: three clicks on Add Item during a freeze stored
// three lines. An operator who sees nothing happen presses again; one who
// types ahead (a code scanned, a quantity, then Add Item) means every key.
// So this filter drops a press made while the program was held up only when
// it repeats the operator's input just before it: a click or Space on a
// button on the control pressed just before, or Enter again. Typing in
// between keeps what follows, and dropping nothing else keeps a sequence
// typed ahead whole.
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

    explicit HeldUpInput(int limitMs = LimitMs, QObject* parent = nullptr);

    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    struct Stretch {
        qint64 from = 0;
        qint64 to = 0;
    };

    void beat();
    bool madeWhileHeldUp(const QInputEvent& input);
    bool heldUpAt(qint64 made) const;
    // Whether the press repeats the one before it; it becomes the one before.
    bool repeatsTheLastPress(const QInputEvent& input);

    const int m_limitMs;
    QElapsedTimer m_clock;
    QTimer m_heartbeat;
    qint64 m_lastBeat = 0;
    QVector<Stretch> m_stretches;  // the latest few, oldest first
    bool m_calibrated = false;
    qint64 m_offset = 0;        // our clock minus the window system's, at its smallest
    qint64 m_lastDelivery = 0;  // our clock at the last stamped input
    QSet<int> m_droppedPresses; // keys and mouse buttons whose press was dropped
    // The control the operator's last press went to, when it pressed one
    // (a click, Enter, Space on a button); none after typing.
    QPointer<QObject> m_lastPressedOn;
    bool m_lastPressWasEnter = false;
};
