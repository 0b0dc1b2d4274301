#include "verification/stale_result_bar.h"

#include "workflow/input_changes.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>

namespace zolt {

namespace {

// An information bar's colours: pale yellow with a darker edge.
const QColor kBarColour(0xFF, 0xF3, 0xC4);
const QColor kEdgeColour(0xC8, 0xA4, 0x2B);

} // namespace

StaleResultBar::StaleResultBar(std::function<bool()> stale, QWidget* parent)
    : QFrame(parent), m_stale(std::move(stale)) {
    setObjectName(QStringLiteral("staleBar"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kBarColour);
    colours.setColor(QPalette::WindowText, Qt::black);
    colours.setColor(QPalette::Light, kEdgeColour);
    colours.setColor(QPalette::Dark, kEdgeColour);
    setPalette(colours);

    auto* text = new QLabel(QString::fromUtf8(kText), this);
    text->setObjectName(QStringLiteral("staleText"));
    auto* refresh = new QPushButton(QStringLiteral("A&ggiorna"), this);
    refresh->setObjectName(QStringLiteral("refresh"));
    refresh->setAutoDefault(false);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 4, 4, 4);
    layout->addWidget(text, 1);
    layout->addWidget(refresh);

    connect(refresh, &QPushButton::clicked, this, &StaleResultBar::RefreshRequested);
    connect(&InputChanges::Instance(), &InputChanges::InputsMayHaveChanged, this,
            &StaleResultBar::Recheck);
    hide();
}

void StaleResultBar::Recheck() {
    const bool stale = m_stale();
    if (stale == isVisible())
        return;
    setVisible(stale);
    if (!stale)
        return;
    // The document window keeps its size: it grows by what the bar takes
    // from a result that cannot give it up.
    for (QWidget* w = parentWidget(); w != nullptr; w = w->parentWidget()) {
        if (w->layout() != nullptr)
            w->layout()->activate();
        if (auto* frame = qobject_cast<QMdiSubWindow*>(w)) {
            frame->resize(frame->size().expandedTo(frame->minimumSizeHint()));
            break;
        }
    }
}

} // namespace zolt
