#include "report/ReportUnit.h"

#include "report/TextLines.h"

namespace dorvik {

namespace {

// Where ReportUnit::Tested has its digits.
constexpr std::string_view TestedPattern = "####-##-##T##:##:##";

bool IsLeapYear(int year) noexcept {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) noexcept {
    constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// The value of a number's decimal digits; -1 when one is not a digit.
int DigitsValue(std::string_view digits) noexcept {
    int value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return -1;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

std::string UnitText(std::string_view said) {
    return OneLineText(said, MaxUnitTextBytes);
}

std::string TestedText(std::string_view date, std::string_view time) {
    if (date.size() != 8 || time.size() != 6) {
        return {};
    }
    const int year = DigitsValue(date.substr(0, 4));
    const int month = DigitsValue(date.substr(4, 2));
    const int day = DigitsValue(date.substr(6, 2));
    const int hour = DigitsValue(time.substr(0, 2));
    const int minute = DigitsValue(time.substr(2, 2));
    const int second = DigitsValue(time.substr(4, 2));
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) ||
        hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) {
        return {};
    }
    const std::string digits = std::string(date) + std::string(time);
    std::string text(TestedPattern);
    std::size_t next = 0;
    for (char& c : text) {
        c = c == '#' ? digits[next++] : c;
    }
    return text;
}

bool IsTestedText(std::string_view text) {
    if (text.size() != TestedPattern.size()) {
        return false;
    }
    std::string digits;
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (TestedPattern[k] == '#') {
            digits += text[k];
        } else if (text[k] != TestedPattern[k]) {
            return false;
        }
    }
    return !TestedText(std::string_view(digits).substr(0, 8), std::string_view(digits).substr(8))
                .empty();
}

} // namespace dorvik
