// The line under a project dialog's tables where a refused value or a
// failed import is named.
#pragma once

class QLabel;
class QWidget;

namespace zolt {

// Dark red plain text, wrapped, named "message"; one line tall even when
// empty, so that the dialog does not jump when a message comes.
QLabel* NewMessageLabel(QWidget* parent);

} // namespace zolt
