#include "repairlog/ExportSink.h"

#include <QIODevice>

#include <ostream>

namespace dorvik {

bool ExportSink::Write(std::string_view bytes) {
    if (!good_ || bytes.empty()) {
        return good_;
    }
    const auto size = static_cast<qint64>(bytes.size());
    if (device_ != nullptr) {
        good_ = device_->write(bytes.data(), size) == size;
    } else {
        stream_->write(bytes.data(), static_cast<std::streamsize>(size));
        good_ = stream_->good();
    }
    return good_;
}

} // namespace dorvik
