// What the operator's keyboard or scanner may send, through the program into the bench file:
// control bytes, bytes that are not UTF-8, a NUL, texts far beyond a field's length. Nothing
// crashes; each text is kept as the entry rules clean it (control characters as blanks, what is
// not UTF-8 as U+FFFD), a text too long is said and refused, and the records come back whole.

#include "BenchSession.h"
#include "TickedList.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace dorvik {
namespace {

TEST(BadText, ControlBytesAndBytesThatAreNotUtf8AreKeptReadable) {
    QTemporaryDir dir;
    const test::TickedList list(dir.path(), "SN-IGNORED", 6);
    test::BenchSession bench(dir.path(), dir.filePath(QStringLiteral("config")));
    ASSERT_TRUE(bench.Start());
    const QByteArray tooLong(10000, 'L');
    // Raw bytes, as a script file holds them: an escape sequence, DEL, a tab, a lone 0xff, an
    // overlong '/', a UTF-16 surrogate written as UTF-8, a NUL.
    const QByteArray odd("\x01\x1b[31m\x7f\t\xff\xfe\xc0\xaf\xed\xa0\x80 \x00z", 18);
    bench.Send(list.Opening(QStringLiteral("list.txt"), QStringLiteral("anna")));
    bench.SendBytes("operator " + tooLong + "\nok\n");
    bench.SendBytes("operator Op" + odd + "\n");
    bench.SendBytes("serial SN" + odd + "');DROP TABLE repair_record;--\r\n");
    bench.SendBytes("tick 1\ncomment " + tooLong + "\nok\nok\n");
    bench.SendBytes("comment c" + odd + " \xe6\x9d\xb1\nrefdes U1\x03 R7\xff\nok\n");
    bench.SendBytes("tick 2\ncomment " + QByteArray(4000, 'C') + "\nok\nhistory\nquit\n");
    ASSERT_TRUE(bench.Ended()) << bench.Shown().toStdString();
    EXPECT_EQ(bench.ExitCode(), 0) << bench.Shown().toStdString();
    EXPECT_EQ(bench.Lines(QStringLiteral("message: ")),
              (QStringList{"message: An operator's name or badge number has at most 128 "
                           "characters.",
                           "message: The comment holds 10000 characters; a repair record keeps "
                           "at most 4000."}));
    EXPECT_EQ(bench.Lines(QStringLiteral("repaired: ")).size(), 2) << bench.Shown().toStdString();
    const QStringList records = bench.Lines(QStringLiteral("record: "));
    ASSERT_EQ(records.size(), 2) << bench.Shown().toStdString();
    // What the entry rules make of the odd bytes: a blank for each control character and the
    // NUL, U+FFFD for each byte of what is not UTF-8.
    const QString cleaned = QStringLiteral("  [31m  \uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD  z");
    const QStringList first = records[0].mid(8).split(u'\t');
    ASSERT_EQ(first.size(), int{RecordColumnCount});
    EXPECT_EQ(first[3], "SN" + cleaned + "');DROP TABLE repair_record;--") << "serial";
    EXPECT_EQ(first[15], QStringLiteral("U1 R7\uFFFD")) << "refdes, one blank between names";
    EXPECT_EQ(first[16], "c" + cleaned + QStringLiteral(" \u6771")) << "comment";
    EXPECT_EQ(first[17], "Op" + cleaned) << "operator";
    const QStringList second = records[1].mid(8).split(u'\t');
    ASSERT_EQ(second.size(), int{RecordColumnCount});
    EXPECT_EQ(second[16], QString(4000, u'C')) << "a comment of the longest length, whole";
}

} // namespace
} // namespace dorvik
