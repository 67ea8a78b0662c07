#pragma once

#include <QMainWindow>

class DataScreen;
class QMdiArea;
class QMdiSubWindow;

// The main window: every working screen opens inside it as a child window,
// chosen from its menu. There is one for the run, shown by the login check.
class MDIForm1 : public QMainWindow {
    Q_OBJECT
public:
    // The main window, created on first use.
    static MDIForm1* instance();
    // The main window when it has been created, else nullptr.
    static MDIForm1* existing();

    ~MDIForm1() override;

    QMdiArea* mdiArea() const { return m_area; }

    // Opens the named screen as a child window (its caption used for a screen
    // the program does not have yet), or brings the open one forward as it is.
    QMdiSubWindow* showScreen(const QString& screenName, const QString& caption);
    // The child window showing that screen, if open.
    QMdiSubWindow* openWindow(const QString& screenName) const;

private:
    MDIForm1();
    void buildMenu();
    void placeChild(QMdiSubWindow* child);

    QMdiArea* m_area;
};
