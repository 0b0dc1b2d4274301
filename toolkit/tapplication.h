// The application object: the program's name, its main window and the main
// window's client window (the window that receives the control library's
// notifications meant for the whole program).
//
// A program derives from it, builds its main window in InitMainWindow and
// calls Run. Message boxes take their caption from the name, and the help
// viewer and message boxes are owned by the main window. F1 opens the help
// of the window with the focus (twinhelp.h).
#pragma once

#include <QApplication>
#include <QPointer>
#include <QString>

class TApplication : public QApplication {
    Q_OBJECT

public:
    // argc must outlive the object, as for QApplication.
    TApplication(const QString& name, int& argc, char** argv);
    ~TApplication() override;

    // The one application object, or null when the program runs a plain
    // QApplication (or none).
    static TApplication* Current();

    QString GetName() const { return applicationName(); }

    QWidget* GetMainWindow() const { return m_mainWindow; }
    void SetMainWindow(QWidget* window) { m_mainWindow = window; }

    QWidget* GetClientWindow() const { return m_clientWindow; }
    void SetClientWindow(QWidget* window) { m_clientWindow = window; }

    // The main window and its client of the running application object,
    // null when there is none.
    static QWidget* MainWindow();
    static QWidget* ClientWindow();

    // Builds the main window (InitMainWindow), shows it unless it already
    // shows itself, and runs the event loop until the last window closes.
    int Run();

    // Whether the main window may close; the main window asks each time it
    // is about to (its close box, or the program's own Exit). True unless a
    // program says otherwise.
    virtual bool CanClose();

protected:
    virtual void InitMainWindow() {}

private:
    QPointer<QWidget> m_mainWindow;
    QPointer<QWidget> m_clientWindow;
};
