#include "navigate/KeyTable.h"

#include "navigate/Navigation.h"
#include "view/Workspace.h"

namespace dorvik {

KeyCommand CommandForKey(int virtualKey) noexcept {
    switch (virtualKey) {
    case vk::Escape:
    case 'E':
        return KeyCommand::Exit;
    case vk::Space:
        return KeyCommand::ChangeSide;
    case vk::Home:
        return KeyCommand::Home;
    case vk::Left:
        return KeyCommand::PanLeft;
    case vk::Up:
        return KeyCommand::PanUp;
    case vk::Right:
        return KeyCommand::PanRight;
    case vk::Down:
        return KeyCommand::PanDown;
    case 'C':
        return KeyCommand::Component;
    case 'H':
    case vk::F1:
        return KeyCommand::Help;
    case 'N':
        return KeyCommand::Net;
    case 'O':
        return KeyCommand::Open;
    case 'R':
        return KeyCommand::TurnBoard;
    case 'S':
        return KeyCommand::Short;
    case 'V':
        return KeyCommand::ToggleText;
    case vk::KeypadPlus:
    case vk::Plus:
        return KeyCommand::ZoomIn;
    case vk::KeypadMinus:
    case vk::Minus:
        return KeyCommand::ZoomOut;
    default:
        return KeyCommand::None;
    }
}

bool RunViewCommand(Workspace& ws, KeyCommand command) {
    WindowState& s = ws.State;
    switch (command) {
    case KeyCommand::ChangeSide:
        ChangeSide(ws);
        return true;
    case KeyCommand::Home:
        HomeView(ws);
        return true;
    case KeyCommand::PanLeft:
        PanStep(ws, PanDirection::Left);
        return true;
    case KeyCommand::PanUp:
        PanStep(ws, PanDirection::Up);
        return true;
    case KeyCommand::PanRight:
        PanStep(ws, PanDirection::Right);
        return true;
    case KeyCommand::PanDown:
        PanStep(ws, PanDirection::Down);
        return true;
    case KeyCommand::TurnBoard:
        RotateStep(ws, ""); // the key looks the glyph up in the current directory
        return true;
    case KeyCommand::ToggleText:
        ToggleText(ws);
        return true;
    case KeyCommand::ZoomIn:
        // The zoom keys act about the centre, so the click is moved there and the pan stays.
        s.ClickX = s.CentreX;
        s.ClickY = s.CentreY;
        ZoomInAt(ws, s.CentreX, s.CentreY);
        return true;
    case KeyCommand::ZoomOut:
        s.ClickX = s.CentreX;
        s.ClickY = s.CentreY;
        ZoomOutAt(ws, s.CentreX, s.CentreY);
        return true;
    case KeyCommand::None:
    case KeyCommand::Exit:
    case KeyCommand::Component:
    case KeyCommand::Help:
    case KeyCommand::Net:
    case KeyCommand::Open:
    case KeyCommand::Short:
        return false;
    }
    return false;
}

} // namespace dorvik
