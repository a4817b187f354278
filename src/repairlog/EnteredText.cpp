#include "repairlog/EnteredText.h"

#include "report/TextLines.h"

namespace dorvik {

EnteredText CleanEntered(std::string_view utf8, std::size_t most) {
    std::string text(utf8);
    for (char& c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            c = ' ';
        }
    }
    EnteredText entered;
    entered.Text = std::string(Trimmed(text));
    std::size_t characters = 0;
    for (const char c : entered.Text) {
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    if (characters > most) {
        entered.Text.clear();
        entered.TooLong = true;
    }
    return entered;
}

} // namespace dorvik
