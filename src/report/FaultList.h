#pragma once
// The faults of a report in report order, each with the fault-list lines it became, and the
// line being shown. Lines are what can be selected; a fault is what can be ticked repaired.

#include "report/FaultLine.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace dorvik {

struct Fault {
    // What the tester found, as the list shows it ("Short", "Analog", "TestJet", ...).
    std::string Kind;
    std::vector<FaultLine> Lines; // never empty
    bool Repaired = false;

    // Whether every line finds everything it names on the board.
    bool OnBoard() const noexcept;
};

// A selectable line: its fault and its place among that fault's lines.
struct LinePlace {
    std::size_t Fault = 0;
    std::size_t Line = 0;
};

class FaultList final {
public:
    void Add(Fault fault);
    // Makes `line` one more part of the last fault (the first fault when there is none).
    void Continue(FaultLine line, std::string_view kindIfFirst);

    const std::vector<Fault>& Faults() const noexcept { return faults_; }
    std::size_t LineCount() const noexcept { return places_.size(); }
    // Line k (0-based, in list order).
    const FaultLine& LineAt(std::size_t k) const;
    LinePlace PlaceOf(std::size_t k) const;
    // The first line of fault f.
    std::size_t FirstLineOf(std::size_t f) const;

    void SetRepaired(std::size_t fault, bool repaired);
    // Line k's OnBoard, made again when another board is loaded under the list.
    void SetOnBoard(std::size_t k, bool onBoard);
    // How many faults are wholly on the board (Fault::OnBoard).
    std::size_t FaultsOnBoard() const noexcept;

    // The line shown, if any; stepping stays within the list.
    std::optional<std::size_t> Current() const noexcept { return current_; }
    void SetCurrent(std::size_t k);
    // The line Next would show: the first when none is shown, else the one after (or the last).
    std::optional<std::size_t> NextLine() const noexcept;
    std::optional<std::size_t> PreviousLine() const noexcept;

private:
    std::vector<Fault> faults_;
    std::vector<LinePlace> places_;
    std::vector<std::size_t> firstLines_;
    std::optional<std::size_t> current_;
};

} // namespace dorvik
