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

    // Opens the named screen as a child window, or brings the open one
    // forward as it is; none for a name the program has no screen of.
    QMdiSubWindow* showScreen(const QString& screenName);
    // The child window showing that screen, if open.
    QMdiSubWindow* openWindow(const QString& screenName) const;

private:
    MDIForm1();
    void buildMenu();
    void placeChild(QMdiSubWindow* child);

    QMdiArea* m_area;
};
