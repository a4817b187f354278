#pragma once
// The command reference (Help) and the About box, each shown modally and destroyed on close.

class QString;
class QWidget;

namespace dorvik {

// dataDirectory holds the arrow pictures and the About picture.
void ShowHelpWindow(QWidget* owner, const QString& dataDirectory);
void ShowAboutBox(QWidget* owner, const QString& dataDirectory);

} // namespace dorvik
