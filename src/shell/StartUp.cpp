#include "shell/StartUp.h"

#include "faults/EntryForms.h"
#include "help/AboutBox.h"
#include "help/HelpForm.h"
#include "shell/MainWindow.h"

namespace dorvik {
namespace {

template <class Window, class... Arguments>
void CreateHidden(TForm1& owner, Arguments&&... arguments) {
    auto* window = new Window(std::forward<Arguments>(arguments)..., &owner);
    window->hide();
}

} // namespace

void CreateSecondaryWindows(TForm1& form1) {
    CreateHidden<TForm2>(form1, form1.Work());
    CreateHidden<TForm3>(form1, form1.Work());
    CreateHidden<TForm4>(form1, form1.Work());
    CreateHidden<TForm5>(form1, form1.Work());
    CreateHidden<TForm6>(form1, form1.DataDirectory());
    CreateHidden<TAboutBox>(form1, form1.DataDirectory());
}

} // namespace dorvik
