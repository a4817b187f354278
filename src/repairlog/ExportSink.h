#pragma once
// Where an export's bytes go: a Qt device (a file, a QSaveFile) or a standard stream. It keeps the
// first failure, so that an export can stop and say so.

#include <iosfwd>
#include <string_view>

class QIODevice;

namespace dorvik {

class ExportSink final {
public:
    explicit ExportSink(QIODevice& device) noexcept : device_(&device) {}
    explicit ExportSink(std::ostream& stream) noexcept : stream_(&stream) {}

    // False once anything could not be written; later bytes are dropped.
    bool Write(std::string_view bytes);
    bool Good() const noexcept { return good_; }

private:
    QIODevice* device_ = nullptr;
    std::ostream* stream_ = nullptr;
    bool good_ = true;
};

} // namespace dorvik
