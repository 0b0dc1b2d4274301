#include "toolkit/thelpwindow.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QTextBrowser>
#include <QVBoxLayout>

THelpWindow::THelpWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose);
    m_browser = new QTextBrowser(this);
    m_browser->setOpenExternalLinks(true);
    m_close = new QPushButton(QStringLiteral("&Chiudi"), this);
    m_close->setAutoDefault(false);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
    // Whichever part has the focus: the page does nothing with Escape.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_browser, 1);
    // The button stands clear of the page's frame and the window's edges.
    const int margin = style()->pixelMetric(QStyle::PM_LayoutBottomMargin);
    buttons->setContentsMargins(margin, margin, margin, margin);
    layout->addLayout(buttons);
    m_browser->setFocus();
}
