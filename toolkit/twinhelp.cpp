#include "toolkit/twinhelp.h"

#include "toolkit/tapplication.h"
#include "toolkit/thelpwindow.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QPointer>
#include <QScreen>
#include <QTextBrowser>
#include <QTextStream>
#include <QUrl>
#include <QWindow>

#include <algorithm>
#include <array>
#include <optional>

namespace {

QPointer<THelpWindow> helpWindow;

const char* const kHelpFileProperty = "helpFile";
const char* const kHelpContextProperty = "helpContext";

QString helpFolder(const QString& helpFile) {
    return QStringLiteral(":/help/%1/").arg(QFileInfo(helpFile).completeBaseName().toLower());
}

// A '#' at the start of the line or after a blank starts a comment; one
// inside a word names a page's section.
void dropComment(QString& line) {
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line.at(i) == u'#' && (i == 0 || line.at(i - 1).isSpace())) {
            line.truncate(i);
            return;
        }
    }
}

QString pageOfContext(const QString& folder, unsigned long context) {
    QFile map(folder + QStringLiteral("map.txt"));
    if (!map.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream in(&map);
    while (!in.atEnd()) {
        QString line = in.readLine();
        dropComment(line);
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
    QString section = helpWindow->Browser()->documentTitle();
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

// The size of a new help window: a page's, as far as there is room.
constexpr QSize kPageSize(720, 760);

// A new help window opened from the main window stands over the right of
// its client area, below the menu and the tool bar, which stay free; it is
// as tall as the area allows, up to a page's height.
void placeOverClientArea(QWidget* help) {
    const QWidget* client = TApplication::ClientWindow();
    if (client == nullptr || !client->isVisible())
        return;
    constexpr int kMargin = 24;
    const QRect area(client->mapToGlobal(QPoint(0, 0)), client->size());
    const QSize size(std::clamp(area.width() - 2 * kMargin, 320, kPageSize.width()),
                     std::clamp(area.height() - 2 * kMargin, 240, kPageSize.height()));
    help->setGeometry(QRect(
        QPoint(std::max(area.left(), area.right() - kMargin - size.width()), area.top() + kMargin),
        size));
}

// The screen rectangle of the window `owner` stands in when it is not the
// main window: its document window inside the main window, or its own
// window (a dialog). Nothing for the main window itself.
std::optional<QRect> callerFrame(const QWidget* owner) {
    if (owner == nullptr)
        return std::nullopt;
    for (const QWidget* w = owner; w != nullptr && !w->isWindow(); w = w->parentWidget()) {
        if (const auto* child = qobject_cast<const QMdiSubWindow*>(w))
            return QRect(child->mapToGlobal(QPoint(0, 0)), child->size());
    }
    const QWidget* window = owner->window();
    if (window == TApplication::MainWindow())
        return std::nullopt;
    return window->frameGeometry();
}

// Beside `caller` on its screen, `wanted` large or as large as the room
// there allows, level with the caller's top or left edge: to its right or
// left, whichever has more room, when that leaves a page readable; else on
// the side with the most room (right, left, below, above; the first of
// equals).
void placeBeside(QWidget* help, const QRect& caller, QSize wanted) {
    const QScreen* screen = QGuiApplication::screenAt(caller.center());
    if (screen == nullptr)
        screen = help->screen();
    if (screen == nullptr)
        return;
    constexpr int kGap = 8;
    constexpr QSize kSmallest(200, 120);
    constexpr int kReadableWidth = 400;
    const QRect free = screen->availableGeometry();
    // The window manager's frame around the window, known once it showed.
    const QRect outer = help->frameGeometry();
    const QRect inner = help->geometry();
    const QMargins decoration(inner.left() - outer.left(), inner.top() - outer.top(),
                              outer.right() - inner.right(), outer.bottom() - inner.bottom());
    wanted += QSize(decoration.left() + decoration.right(), decoration.top() + decoration.bottom());

    enum Side { Right, Left, Below, Above };
    const std::array<QRect, 4> room = {
        QRect(QPoint(caller.right() + 1 + kGap, free.top()), free.bottomRight()),
        QRect(free.topLeft(), QPoint(caller.left() - 1 - kGap, free.bottom())),
        QRect(QPoint(free.left(), caller.bottom() + 1 + kGap), free.bottomRight()),
        QRect(free.topLeft(), QPoint(free.right(), caller.top() - 1 - kGap))};
    const auto fits = [&](int side) {
        return room[side].isValid() ? wanted.boundedTo(room[side].size()) : QSize(0, 0);
    };
    int best = fits(Left).width() > fits(Right).width() ? Left : Right;
    if (fits(best).width() < kReadableWidth) {
        qint64 bestArea = -1;
        for (int side = Right; side <= Above; ++side) {
            const qint64 area = qint64(fits(side).width()) * fits(side).height();
            if (area > bestArea) {
                best = side;
                bestArea = area;
            }
        }
    }
    const QRect& r = room[best];
    // Over the caller only where no room holds the smallest readable window.
    QSize size = fits(best);
    if (size.width() < kSmallest.width() || size.height() < kSmallest.height())
        size = size.expandedTo(kSmallest).boundedTo(free.size());
    const auto level = [](int edge, int low, int high) {
        return std::clamp(edge, low, std::max(low, high));
    };
    QPoint at;
    switch (best) {
    case Right:
        at = QPoint(r.left(), level(caller.top(), free.top(), free.bottom() + 1 - size.height()));
        break;
    case Left:
        at = QPoint(r.right() + 1 - size.width(),
                    level(caller.top(), free.top(), free.bottom() + 1 - size.height()));
        break;
    case Below:
        at = QPoint(level(caller.left(), free.left(), free.right() + 1 - size.width()), r.top());
        break;
    default:
        at = QPoint(level(caller.left(), free.left(), free.right() + 1 - size.width()),
                    r.bottom() + 1 - size.height());
        break;
    }
    // Kept on the screen where the room is smaller than the smallest size.
    at.setX(level(at.x(), free.left(), free.right() + 1 - size.width()));
    at.setY(level(at.y(), free.top(), free.bottom() + 1 - size.height()));
    help->setGeometry(QRect(at, size).marginsRemoved(decoration));
}

// F1 for the whole program.
class HelpKey : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        return widget != nullptr && ShowContextHelp(widget);
    }
};

} // namespace

bool WinHelp(QWidget* owner, const QString& helpFile, unsigned command, unsigned long data) {
    if (command != HELP_CONTEXT && command != HELP_CONTENTS)
        return false;
    const QString folder = helpFolder(helpFile);
    const QString contents = QStringLiteral("index.html");
    QString page = command == HELP_CONTEXT ? pageOfContext(folder, data) : contents;
    const auto exists = [&folder](const QString& p) {
        return QFile::exists(folder + p.section(u'#', 0, 0));
    };
    if (page.isEmpty() || !exists(page))
        page = contents;
    if (!exists(page))
        return false;

    QWidget* parent = TApplication::MainWindow();
    if (parent == nullptr && owner != nullptr)
        parent = owner->window();
    const bool created = helpWindow == nullptr;
    if (created) {
        helpWindow = new THelpWindow(parent);
        helpWindow->resize(640, 480);
        QObject::connect(helpWindow->Browser(), &QTextBrowser::sourceChanged, helpWindow,
                         [] { updateTitle(); });
    } else if (helpWindow->parentWidget() != parent) {
        helpWindow->setParent(parent, Qt::Window);
    }
    helpWindow->Browser()->setSource(QUrl(QStringLiteral("qrc") + folder + page));
    updateTitle();
    // Created before it shows, so that the window system learns which
    // window it stands over.
    helpWindow->winId();
    standOverModalDialog(helpWindow);
    if (const std::optional<QRect> caller = callerFrame(owner)) {
        if (created || helpWindow->frameGeometry().intersects(*caller))
            placeBeside(helpWindow, *caller, created ? kPageSize : helpWindow->size());
    } else if (created) {
        placeOverClientArea(helpWindow);
    }
    helpWindow->show();
    helpWindow->raise();
    helpWindow->activateWindow();
    return true;
}

QTextBrowser* HelpWindow() {
    return helpWindow != nullptr ? helpWindow->Browser() : nullptr;
}

void SetHelpContext(QWidget* widget, const QString& helpFile, unsigned long context) {
    widget->setProperty(kHelpFileProperty, helpFile);
    widget->setProperty(kHelpContextProperty, QVariant::fromValue(qulonglong(context)));
}

bool ShowContextHelp(QWidget* widget) {
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        const QVariant file = w->property(kHelpFileProperty);
        if (!file.isValid())
            continue;
        const auto context =
            static_cast<unsigned long>(w->property(kHelpContextProperty).toULongLong());
        return WinHelp(w, file.toString(), context == 0 ? HELP_CONTENTS : HELP_CONTEXT, context);
    }
    return false;
}

void InstallHelpKey(QCoreApplication* app) {
    app->installEventFilter(new HelpKey(app));
}
