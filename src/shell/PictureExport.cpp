#include "shell/PictureExport.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>

#include <algorithm>

namespace dorvik {
namespace {

// The PDF page gets the picture's pixels at screen density.
constexpr int PdfDotsPerInch = 96;

QFont CaptionFont(int pixelHeight) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelHeight);
    return font;
}

} // namespace

QString CaptionLine(const QString& boardPath, const QString& statusText, const QDateTime& when) {
    const QString board =
        boardPath.isEmpty() ? QStringLiteral("(no board)") : QFileInfo(boardPath).fileName();
    return board + QStringLiteral("   ") + statusText + QStringLiteral("   ") +
           when.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

QImage OnWhiteBackground(const QImage& picture) {
    QImage paper = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < paper.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(paper.scanLine(y));
        for (int x = 0; x < paper.width(); ++x) {
            const QRgb p = line[x] & 0xFFFFFFu;
            if (p == 0x000000u) {
                line[x] = qRgb(0xFF, 0xFF, 0xFF);
            } else if (p == 0xFFFFFFu) {
                line[x] = qRgb(0, 0, 0);
            }
        }
    }
    return paper;
}

void PaintCaptioned(QPainter& painter, const QRectF& target, const QImage& picture,
                    const QString& caption, bool whiteBackground) {
    const QSizeF whole(picture.width(), picture.height() + CaptionHeight);
    const QSizeF fitted = whole.scaled(target.size(), Qt::KeepAspectRatio);
    const double scale = fitted.width() / whole.width();
    const QRectF area(target.topLeft(), fitted);
    const QColor background = whiteBackground ? Qt::white : Qt::black;
    painter.fillRect(area, background);
    painter.drawImage(QRectF(area.topLeft(), QSizeF(picture.size()) * scale),
                      whiteBackground ? OnWhiteBackground(picture) : picture);
    const QRectF strip(area.left() + 4 * scale, area.top() + picture.height() * scale,
                       area.width() - 8 * scale, CaptionHeight * scale);
    painter.setFont(CaptionFont(std::max(1, static_cast<int>(14 * scale))));
    painter.setPen(whiteBackground ? Qt::black : Qt::white);
    painter.drawText(strip, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, caption);
}

QImage CaptionedImage(const QImage& picture, const QString& caption, bool whiteBackground) {
    QImage image(picture.width(), picture.height() + CaptionHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    PaintCaptioned(painter, QRectF(image.rect()), picture, caption, whiteBackground);
    return image;
}

bool SaveCaptionedPicture(const QString& path, const QImage& picture, const QString& caption) {
    if (path.isEmpty() || path.contains(QChar(u'\0'))) {
        return false;
    }
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        return CaptionedImage(picture, caption).save(path, "PNG");
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    QPdfWriter writer(&file);
    writer.setResolution(PdfDotsPerInch);
    const QSizeF points(picture.width() * 72.0 / PdfDotsPerInch,
                        (picture.height() + CaptionHeight) * 72.0 / PdfDotsPerInch);
    writer.setPageSize(QPageSize(points, QPageSize::Point));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setTitle(caption);
    writer.setCreator(QStringLiteral("Dorvik"));
    QPainter painter;
    if (!painter.begin(&writer)) {
        return false;
    }
    PaintCaptioned(painter, QRectF(0, 0, picture.width(), picture.height() + CaptionHeight),
                   picture, caption, false);
    const bool ended = painter.end();
    file.close();
    return ended && file.error() == QFileDevice::NoError;
}

void PrintCaptioned(QPrinter& printer, const QImage& picture, const QString& caption,
                    bool whiteBackground) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        return;
    }
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    PaintCaptioned(painter, QRectF(QPointF(0, 0), page.size()), picture, caption, whiteBackground);
    painter.end();
}

void ShowPrintPreview(QWidget* parent, const QImage& picture, const QString& caption) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(picture.width() >= picture.height() ? QPageLayout::Landscape
                                                                   : QPageLayout::Portrait);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setObjectName(QStringLiteral("PrintPreview"));
    preview.setWindowTitle(QStringLiteral("Print"));
    bool white = false;
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&](QPrinter* target) { PrintCaptioned(*target, picture, caption, white); });
    if (auto* bar = preview.findChild<QToolBar*>()) {
        bar->addSeparator();
        QAction* whiteSwitch = bar->addAction(QStringLiteral("white background"));
        whiteSwitch->setObjectName(QStringLiteral("WhiteBackground"));
        whiteSwitch->setCheckable(true);
        QObject::connect(whiteSwitch, &QAction::toggled, &preview, [&](bool on) {
            white = on;
            if (auto* view = preview.findChild<QPrintPreviewWidget*>()) {
                view->updatePreview();
            }
        });
    }
    preview.exec();
}

} // namespace dorvik
