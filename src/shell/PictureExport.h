#pragma once
// The marked board for the repair ticket: the drawing with a caption line under it (the board
// file's name, what the status bar says, the date and time), saved as PNG or PDF or printed.
// One painting routine serves the image, the PDF page and the printer.

#include <QDateTime>
#include <QImage>
#include <QString>

class QPainter;
class QPrinter;
class QWidget;

namespace dorvik {

// Pixels of the caption strip under the picture.
inline constexpr int CaptionHeight = 24;

// "FILE   STATUS   yyyy-MM-dd hh:mm:ss"; "(no board)" before a board was opened.
QString CaptionLine(const QString& boardPath, const QString& statusText, const QDateTime& when);

// The picture for paper: its black background white and its white marks black, every other
// colour kept, so that a printout is legible.
QImage OnWhiteBackground(const QImage& picture);

// Paints the picture and its caption scaled into `target`, keeping the picture's proportions.
void PaintCaptioned(QPainter& painter, const QRectF& target, const QImage& picture,
                    const QString& caption, bool whiteBackground);

// The picture with its caption as one image, at the picture's own scale.
QImage CaptionedImage(const QImage& picture, const QString& caption, bool whiteBackground = false);

// Writes the captioned picture: a PDF page when the name ends in ".pdf" (any case), else a PNG.
// False when the file cannot be written.
bool SaveCaptionedPicture(const QString& path, const QImage& picture, const QString& caption);

// Prints the captioned picture on one page of `printer`, scaled to fit.
void PrintCaptioned(QPrinter& printer, const QImage& picture, const QString& caption,
                    bool whiteBackground);

// The print preview, modal, with its print dialog and a "white background" switch.
void ShowPrintPreview(QWidget* parent, const QImage& picture, const QString& caption);

} // namespace dorvik
