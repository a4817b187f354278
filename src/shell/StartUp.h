#pragma once
// Start-up: the main window first, then one hidden window of each secondary class, in the
// program's order. The hidden ones are never shown: the commands create fresh windows.

class QWidget;

namespace dorvik {

class TForm1;

// Creates TForm2, TForm3, TForm4, TForm5, TForm6 and TAboutBox, hidden, owned by the main window.
void CreateSecondaryWindows(TForm1& form1);

} // namespace dorvik
