#pragma once
// Where -o FILE sends an export. A regular file, or a new one, is written through QSaveFile: it
// appears, whole, only once the export succeeded, and a failed export leaves the old one as it
// was. A device or a pipe cannot be replaced so (the rename would put a plain file in its place),
// so it is written directly, as a shell's redirection writes it.

#include <QFile>
#include <QSaveFile>
#include <QString>

#include <optional>

namespace dorvik::logtool {

class OutputFile final {
public:
    explicit OutputFile(QString path) : path_(std::move(path)) {}

    // False, with the reason, when the file cannot be written.
    bool Open(QString& error);
    QIODevice& Device();
    // The export becomes the file's content.
    bool Commit(QString& error);

private:
    QString Reason(const QFileDevice& file) const;

    QString path_;
    std::optional<QSaveFile> replaced_;
    std::optional<QFile> direct_;
};

} // namespace dorvik::logtool
