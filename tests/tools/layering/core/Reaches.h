#pragma once
// A core header that reaches up into the window and into Qt: the layering check must name both.

#include "shell/MainWindow.h"
#include "view/Workspace.h"

#include <QImage>
