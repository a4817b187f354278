#pragma once
// The OK and Cancel buttons of the program's small entry windows: named OKButton and CancelButton
// for the script and the tests, OK the default, wired to accept and reject.

class QDialog;
class QDialogButtonBox;

namespace dorvik {

QDialogButtonBox* OkCancelButtons(QDialog& dialog);

} // namespace dorvik
