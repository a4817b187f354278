// dorvik-window-bench: from the scan's Enter in the Serial field to the unit's report shown as a
// fault list, in the real main window (offscreen), on a board that is open already, with the
// report folders holding a line's share of 10,000 reports (goal: at most 100 ms).
#include "ReportShare.h"

#include "board/BoardData.h"
#include "repairui/UnitPanel.h"
#include "shell/FaultListCommands.h"
#include "shell/FaultListPanel.h"
#include "shell/MainWindow.h"
#include "shell/RepairCommands.h"
#include "shell/UnitCommands.h"
#include "unitwatch/ReportIndexService.h"
#include "widgets/TypingField.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace dorvik::bench {
namespace {

// The board file of both of the share's board names.
bool WriteLibrary(const QString& folder) {
    QFile map(QDir(folder).filePath(QStringLiteral("boards.map")));
    return QFile::copy(QStringLiteral(DORVIK_SOURCE_DIR "/examples/demo.brd"),
                       QDir(folder).filePath(QStringLiteral("n50q5.brd"))) &&
           map.open(QIODevice::WriteOnly) &&
           map.write("N50Q_5 REV C = n50q5.brd\nN50Q_5 = n50q5.brd\n") > 0;
}

void scan_to_fault_list(benchmark::State& state) {
    const ReportShare& share = Share();
    QTemporaryDir library;
    if (!share.Error.empty() || !WriteLibrary(library.path())) {
        state.SkipWithError("the share or the library could not be written");
        return;
    }
    qputenv("DORVIK_REPORT_FOLDERS", QByteArray::fromStdString(share.Root));
    qputenv("DORVIK_BOARD_LIBRARY", library.path().toUtf8());
    BoardData board;
    TForm1 form(board, QStringLiteral(DORVIK_SOURCE_DIR "/data/"));
    form.show();
    form.OpenChosenFile(QDir(library.path()).filePath(QStringLiteral("n50q5.brd")));
    if (!form.Units().Index().WaitUntilComplete(120'000)) {
        state.SkipWithError("the share was not indexed");
        return;
    }
    TypingField& field = form.Repairs().Unit().SerialField();
    FaultListPanel& panel = form.FaultCommands().Panel();
    std::size_t unit = 0;
    for (auto _ : state) {
        const QString serial = QString::fromStdString(SerialOf(unit++ % ShareUnits));
        field.setText(serial);
        emit field.returnPressed();
        panel.repaint(); // the list on the screen, not only in the table
        if (QString::fromStdString(form.FaultCommands().Unit().Serial) != serial ||
            panel.List().LineCount() == 0) {
            state.SkipWithError("the scan did not show the unit's report");
            return;
        }
    }
    qunsetenv("DORVIK_REPORT_FOLDERS");
    qunsetenv("DORVIK_BOARD_LIBRARY");
}
BENCHMARK(scan_to_fault_list)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
} // namespace dorvik::bench

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C");
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // What the window remembers and its repair log go to folders of this run.
    const QTemporaryDir settings;
    const QTemporaryDir data;
    ::setenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit().constData(), 1);
    ::setenv("XDG_DATA_HOME", data.path().toLocal8Bit().constData(), 1);
    ::unsetenv("DORVIK_REPAIR_LOG");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("goal: scan_to_fault_list at most 100 ms\n");
    return 0;
}
