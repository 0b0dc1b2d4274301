#include "toolkit/twinhelp.h"

#include "toolkit/tapplication.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QTextStream>
#include <QUrl>
#include <QWindow>

#include <algorithm>

namespace {

QPointer<QTextBrowser> helpWindow;

QString helpFolder(const QString& helpFile) {
    return QStringLiteral(":/help/%1/").arg(QFileInfo(helpFile).completeBaseName().toLower());
}

QString pageOfContext(const QString& folder, unsigned long context) {
    QFile map(folder + QStringLiteral("map.txt"));
    if (!map.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream in(&map);
    while (!in.atEnd()) {
        QString line = in.readLine();
        const qsizetype comment = line.indexOf(u'#');
        if (comment >= 0)
            line.truncate(comment);
        const QStringList fields = line.split(u' ', Qt::SkipEmptyParts);
        if (fields.size() != 2)
            continue;
        bool ok = false;
        const unsigned long number = fields.at(0).toULong(&ok);
        if (ok && number == context)
            return fields.at(1);
    }
    return {};
}

void updateTitle() {
    if (helpWindow == nullptr)
        return;
    const QString guide = QStringLiteral("Guida di %1").arg(QCoreApplication::applicationName());
    // A page's title may name the program before an en dash ("ZOLT 6.0 –
    // Metodi di calcolo"). The window's title names the program already: only
    // the section follows it, and nothing when the section is the guide.
    QString section = helpWindow->documentTitle();
    const qsizetype dash = section.lastIndexOf(QStringLiteral(" – "));
    if (dash >= 0)
        section = section.mid(dash + 3);
    section = section.trimmed();
    const bool addsSection = !section.isEmpty() && !guide.contains(section, Qt::CaseInsensitive);
    helpWindow->setWindowTitle(addsSection ? QStringLiteral("%1 - %2").arg(guide, section) : guide);
}

// A running modal dialog blocks the input of every window that does not
// stand over it. The help window stays its owner's (it outlives the
// dialog), but while a dialog runs it stands over that dialog, so that it
// can be read, scrolled and followed meanwhile; when the dialog goes it
// stands over its owner again.
void standOverModalDialog(QWidget* help) {
    const QWidget* modal = QApplication::activeModalWidget();
    QWindow* dialog = modal != nullptr ? modal->windowHandle() : nullptr;
    QWindow* window = help->windowHandle();
    if (window == nullptr || dialog == nullptr || modal == help->parentWidget() ||
        window->transientParent() == dialog)
        return;
    window->setTransientParent(dialog);
    const auto dialogGone = [help, dialog] {
        QWindow* handle = help->windowHandle();
        if (handle == nullptr ||
            (handle->transientParent() != dialog && handle->transientParent() != nullptr))
            return;
        const QWidget* owner = help->parentWidget();
        handle->setTransientParent(owner != nullptr ? owner->window()->windowHandle() : nullptr);
    };
    QObject::connect(dialog, &QWindow::visibleChanged, help, [dialogGone](bool visible) {
        if (!visible)
            dialogGone();
    });
    QObject::connect(dialog, &QObject::destroyed, help, dialogGone);
}

// A new help window stands over the right of the main window's client
// area, below the menu and the tool bar, which stay free; it is as tall as
// the area allows, up to a page's height.
void placeOverClientArea(QWidget* help) {
    const QWidget* client = TApplication::ClientWindow();
    if (client == nullptr || !client->isVisible())
        return;
    constexpr int kMargin = 24;
    const QRect area(client->mapToGlobal(QPoint(0, 0)), client->size());
    const QSize size(std::clamp(area.width() - 2 * kMargin, 320, 720),
                     std::clamp(area.height() - 2 * kMargin, 240, 760));
    help->setGeometry(QRect(
        QPoint(std::max(area.left(), area.right() - kMargin - size.width()), area.top() + kMargin),
        size));
}

} // namespace

bool WinHelp(QWidget* owner, const QString& helpFile, unsigned command, unsigned long data) {
    if (command != HELP_CONTEXT && command != HELP_CONTENTS)
        return false;
    const QString folder = helpFolder(helpFile);
    const QString contents = QStringLiteral("index.html");
    QString page = command == HELP_CONTEXT ? pageOfContext(folder, data) : contents;
    if (page.isEmpty() || !QFile::exists(folder + page))
        page = contents;
    if (!QFile::exists(folder + page))
        return false;

    QWidget* parent = TApplication::MainWindow();
    if (parent == nullptr && owner != nullptr)
        parent = owner->window();
    if (helpWindow == nullptr) {
        helpWindow = new QTextBrowser(parent);
        helpWindow->setWindowFlags(Qt::Window);
        helpWindow->setAttribute(Qt::WA_DeleteOnClose);
        helpWindow->setOpenExternalLinks(true);
        helpWindow->resize(640, 480);
        placeOverClientArea(helpWindow);
        QObject::connect(helpWindow, &QTextBrowser::sourceChanged, helpWindow,
                         [] { updateTitle(); });
    } else if (helpWindow->parentWidget() != parent) {
        helpWindow->setParent(parent, Qt::Window);
    }
    helpWindow->setSource(QUrl(QStringLiteral("qrc") + folder + page));
    updateTitle();
    // Created before it shows, so that the window system learns which
    // window it stands over.
    helpWindow->winId();
    standOverModalDialog(helpWindow);
    helpWindow->show();
    helpWindow->raise();
    helpWindow->activateWindow();
    return true;
}

QTextBrowser* HelpWindow() {
    return helpWindow;
}
