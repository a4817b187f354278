#pragma once
// The index of the report folders for the window: built after start-up by a thread of its own
// and kept current as the tester writes files. A scan asks it for a unit's reports and gets them
// at once; the window never waits for the folders.

#include "unitindex/FolderWalk.h"
#include "unitindex/ReportIndex.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>
#include <vector>

class QThread;

namespace dorvik {

struct IndexChanges;

class ReportIndexService final : public QObject {
    Q_OBJECT

public:
    explicit ReportIndexService(QObject* parent = nullptr);
    ~ReportIndexService() override;

    // Indexes these folders from now on, from scratch; none: no index.
    void SetFolders(const QStringList& folders);
    const QStringList& Folders() const noexcept { return folders_; }

    // The unit's reports, newest first.
    std::vector<IndexedReport> ReportsOf(const QString& serial) const;
    std::size_t Size() const noexcept { return index_.Size(); }
    // Files the first walk has looked at so far.
    std::size_t FilesSeen() const noexcept { return filesSeen_; }
    // Whether the first walk of the folders is done (also true without folders).
    bool Complete() const noexcept { return complete_; }
    // The folders and files found unreadable since the folders were set, the first few of them.
    const std::vector<WalkProblem>& Problems() const noexcept { return problems_; }
    static constexpr std::size_t MaxProblemsKept = 20;

    // Runs the event loop until the first walk is done or `timeoutMs` passed; whether it is done.
    bool WaitUntilComplete(int timeoutMs);

signals:
    // The index now holds other reports.
    void Changed();
    // The first walk of the folders is done.
    void Completed();

private:
    void Stop();
    void Apply(const IndexChanges& changes, bool first);

    QStringList folders_;
    ReportIndex index_;
    bool complete_ = true;
    std::size_t filesSeen_ = 0;
    std::vector<WalkProblem> problems_;
    QThread* thread_ = nullptr;
    // Owned by the thread's run; read by the walk, set here.
    std::shared_ptr<std::atomic<bool>> stop_;
};

} // namespace dorvik
