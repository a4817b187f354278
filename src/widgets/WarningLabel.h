#pragma once
// A warning line of a panel: plain text, wrapped, in the bold dark red the operator learns to read
// as "look at this before going on".

class QLabel;
class QWidget;

namespace dorvik {

QLabel* NewWarningLabel(const char* objectName, QWidget* parent);

} // namespace dorvik
