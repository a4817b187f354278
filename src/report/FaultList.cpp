#include "report/FaultList.h"

#include <stdexcept>

namespace dorvik {

bool Fault::OnBoard() const noexcept {
    for (const FaultLine& line : Lines) {
        if (!line.OnBoard) {
            return false;
        }
    }
    return true;
}

void FaultList::Add(Fault fault) {
    if (fault.Lines.empty()) {
        return;
    }
    const std::size_t f = faults_.size();
    firstLines_.push_back(places_.size());
    for (std::size_t l = 0; l < fault.Lines.size(); ++l) {
        places_.push_back({f, l});
    }
    faults_.push_back(std::move(fault));
}

void FaultList::Continue(FaultLine line, std::string_view kindIfFirst) {
    if (faults_.empty()) {
        Add(Fault{std::string(kindIfFirst), {std::move(line)}, false});
        return;
    }
    places_.push_back({faults_.size() - 1, faults_.back().Lines.size()});
    faults_.back().Lines.push_back(std::move(line));
}

const FaultLine& FaultList::LineAt(std::size_t k) const {
    const LinePlace place = PlaceOf(k);
    return faults_[place.Fault].Lines[place.Line];
}

LinePlace FaultList::PlaceOf(std::size_t k) const {
    if (k >= places_.size()) {
        throw std::out_of_range("no such fault line");
    }
    return places_[k];
}

std::size_t FaultList::FirstLineOf(std::size_t f) const {
    if (f >= firstLines_.size()) {
        throw std::out_of_range("no such fault");
    }
    return firstLines_[f];
}

void FaultList::SetRepaired(std::size_t fault, bool repaired) {
    if (fault < faults_.size()) {
        faults_[fault].Repaired = repaired;
    }
}

void FaultList::SetOnBoard(std::size_t k, bool onBoard) {
    if (k < places_.size()) {
        faults_[places_[k].Fault].Lines[places_[k].Line].OnBoard = onBoard;
    }
}

std::size_t FaultList::FaultsOnBoard() const noexcept {
    std::size_t count = 0;
    for (const Fault& fault : faults_) {
        count += fault.OnBoard() ? 1 : 0;
    }
    return count;
}

void FaultList::SetCurrent(std::size_t k) {
    if (k < places_.size()) {
        current_ = k;
    }
}

std::optional<std::size_t> FaultList::NextLine() const noexcept {
    if (places_.empty()) {
        return std::nullopt;
    }
    if (!current_) {
        return 0;
    }
    return *current_ + 1 < places_.size() ? *current_ + 1 : *current_;
}

std::optional<std::size_t> FaultList::PreviousLine() const noexcept {
    if (places_.empty()) {
        return std::nullopt;
    }
    if (!current_) {
        return 0;
    }
    return *current_ > 0 ? *current_ - 1 : 0;
}

} // namespace dorvik
