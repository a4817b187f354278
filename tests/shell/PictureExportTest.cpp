// The repair ticket's picture: its caption line, the paper version of its colours, PNG and PDF
// files and the printed page; and the remembered window placement.

#include "shell/PictureExport.h"
#include "shell/Remembered.h"

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

namespace dorvik {
namespace {

QImage MarkedPicture() {
    QImage picture(120, 80, QImage::Format_RGB32);
    picture.fill(Qt::black);
    for (int x = 10; x < 30; ++x) {
        picture.setPixel(x, 10, qRgb(0xFF, 0xFF, 0xFF)); // a white mark
        picture.setPixel(x, 20, qRgb(0xFF, 0xFF, 0x00)); // a yellow one
        picture.setPixel(x, 30, qRgb(0x80, 0x00, 0x00)); // the maroon frame's colour
    }
    return picture;
}

TEST(PictureExport, CaptionNamesTheBoardTheStatusAndTheTime) {
    const QDateTime when(QDate(2024, 3, 5), QTime(14, 7, 9));
    EXPECT_EQ(CaptionLine(QStringLiteral("/bench/boards/demo.brd"),
                          QStringLiteral("Not found: U9,"), when),
              QStringLiteral("demo.brd   Not found: U9,   2024-03-05 14:07:09"));
    EXPECT_EQ(CaptionLine(QString(), QStringLiteral("Vostrel Dorvik"), when),
              QStringLiteral("(no board)   Vostrel Dorvik   2024-03-05 14:07:09"));
}

TEST(PictureExport, PaperSwapsBlackAndWhiteOnly) {
    const QImage paper = OnWhiteBackground(MarkedPicture());
    EXPECT_EQ(paper.pixel(0, 0), qRgb(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(paper.pixel(15, 10), qRgb(0, 0, 0));
    EXPECT_EQ(paper.pixel(15, 20), qRgb(0xFF, 0xFF, 0x00));
    EXPECT_EQ(paper.pixel(15, 30), qRgb(0x80, 0x00, 0x00));
}

TEST(PictureExport, CaptionedImageKeepsThePictureAndAddsTheStrip) {
    const QImage picture = MarkedPicture();
    for (const bool white : {false, true}) {
        SCOPED_TRACE(white);
        const QImage image = CaptionedImage(picture, QStringLiteral("demo.brd   x"), white);
        ASSERT_EQ(image.size(), QSize(120, 80 + CaptionHeight));
        EXPECT_EQ(image.pixel(15, 20), qRgb(0xFF, 0xFF, 0x00));
        EXPECT_EQ(image.pixel(0, 0), white ? qRgb(0xFF, 0xFF, 0xFF) : qRgb(0, 0, 0));
        int ink = 0;
        for (int y = 80; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                ink += (qGray(image.pixel(x, y)) > 128) != white ? 1 : 0;
            }
        }
        EXPECT_GT(ink, 20) << "caption text";
    }
}

TEST(PictureExport, SavesPngOrPdfByTheExtension) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QImage picture = MarkedPicture();
    const QString png = dir.filePath(QStringLiteral("a.png"));
    const QString pdf = dir.filePath(QStringLiteral("a.PDF"));
    ASSERT_TRUE(SaveCaptionedPicture(png, picture, QStringLiteral("caption")));
    ASSERT_TRUE(SaveCaptionedPicture(pdf, picture, QStringLiteral("caption")));
    EXPECT_EQ(QImage(png).size(), QSize(120, 80 + CaptionHeight));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    // 120 x 104 pixels at 96 per inch: 90 x 78 points.
    const qsizetype box = bytes.indexOf("/MediaBox [0 0 ");
    ASSERT_GE(box, 0);
    const QList<QByteArray> size = bytes.mid(box + 15, 40).split(']').first().split(' ');
    ASSERT_EQ(size.size(), 2);
    EXPECT_DOUBLE_EQ(size[0].toDouble(), 90.0);
    EXPECT_DOUBLE_EQ(size[1].toDouble(), 78.0);

    EXPECT_FALSE(SaveCaptionedPicture(dir.filePath(QStringLiteral("none/a.png")), picture, {}));
    EXPECT_FALSE(SaveCaptionedPicture(dir.filePath(QStringLiteral("none/a.pdf")), picture, {}));
    EXPECT_FALSE(SaveCaptionedPicture(QString(), picture, {}));
}

TEST(PictureExport, PrintsOnePage) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("printed.pdf")));
    PrintCaptioned(printer, MarkedPicture(), QStringLiteral("caption"), true);
    QFile file(printer.outputFileName());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_EQ(bytes.count("/Type /Page") - bytes.count("/Type /Pages"), 1);
}

TEST(Remembered, WindowPlacementComesBack) {
    QWidget first;
    first.resize(321, 234);
    first.move(40, 50);
    first.show();
    RememberWindowPlacement(first);

    QWidget second;
    ASSERT_TRUE(ShowRememberedPlacement(second));
    EXPECT_EQ(second.size(), QSize(321, 234));
    EXPECT_FALSE(second.isMaximized());
}

} // namespace
} // namespace dorvik
