#include "profile/message_label.h"

#include <QLabel>
#include <QPalette>

namespace zolt {

QLabel* NewMessageLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QStringLiteral("message"));
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    QPalette warning = label->palette();
    warning.setColor(QPalette::WindowText, Qt::darkRed);
    label->setPalette(warning);
    label->setMinimumHeight(label->fontMetrics().height());
    return label;
}

} // namespace zolt
