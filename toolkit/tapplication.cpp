#include "toolkit/tapplication.h"

#include "toolkit/twinhelp.h"

#include <QWidget>

TApplication::TApplication(const QString& name, int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(name);
    InstallHelpKey(this);
}

TApplication::~TApplication() = default;

TApplication* TApplication::Current() {
    return qobject_cast<TApplication*>(QCoreApplication::instance());
}

QWidget* TApplication::MainWindow() {
    const TApplication* app = Current();
    return app != nullptr ? app->GetMainWindow() : nullptr;
}

QWidget* TApplication::ClientWindow() {
    const TApplication* app = Current();
    return app != nullptr ? app->GetClientWindow() : nullptr;
}

bool TApplication::CanClose() {
    return true;
}

int TApplication::Run() {
    InitMainWindow();
    if (m_mainWindow != nullptr && !m_mainWindow->isVisible())
        m_mainWindow->show();
    return exec();
}
