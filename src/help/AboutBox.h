#pragma once
// The About box: the product name, the version and the About picture.

#include "widgets/NoEscapeDialog.h"

class QString;

namespace dorvik {

class TAboutBox final : public NoEscapeDialog {
    Q_OBJECT

public:
    // dataDirectory holds about.jpg; a missing or broken picture leaves the box without it.
    explicit TAboutBox(const QString& dataDirectory, QWidget* parent = nullptr);

public slots:
    void OKButtonClick();
};

} // namespace dorvik
