#include "shell/ScriptLines.h"

#include <QFile>
#include <QFileInfo>

#include <iostream>

namespace dorvik {

std::unique_ptr<ScriptLines> ScriptLines::Open(const QString& path) {
    if (path == QLatin1String("-")) {
        return std::make_unique<ScriptLines>(std::cin);
    }
    if (QFileInfo(path).isDir()) {
        return nullptr;
    }
    std::unique_ptr<ScriptLines> lines(new ScriptLines());
    lines->file_.open(QFile::encodeName(path).toStdString(), std::ios::binary);
    if (!lines->file_.is_open()) {
        return nullptr;
    }
    lines->in_ = &lines->file_;
    return lines;
}

std::optional<std::string> ScriptLines::Next() {
    std::string line;
    if (!std::getline(*in_, line)) {
        return std::nullopt;
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return line;
}

} // namespace dorvik
