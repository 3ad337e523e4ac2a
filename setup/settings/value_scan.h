#pragma once
// The value conversions of the Config.ini reader. Each reads one value that
// ends at its line's end and never looks past it, behaving like the C scanning
// conversion it is named after on well-formed text ("%d", "%f", "%s").

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace setup {

// A cursor over one value: the text from the value's first character to the
// end of its line.
class ValueScanner {
public:
    explicit ValueScanner(std::string_view text) : text_(text) {}

    // "%d": white space skipped, an optional sign, decimal digits. Digits beyond
    // 32 bits wrap, as the classic runtime's conversion does.
    std::optional<std::int32_t> integer();
    // "%f": white space skipped, sign, digits with an optional point and
    // fraction, an optional exponent. Rounded once to the nearest float.
    std::optional<float> real();
    // "%s": white space skipped, then the characters up to the next white space,
    // at most maxLength of them.
    std::optional<std::string> word(std::size_t maxLength);
    // A literal character of a pattern: matches only itself.
    bool literal(char c);
    // A space in a pattern: any run of white space, possibly empty.
    void skipSpace();

private:
    bool atSpace() const;
    std::string_view text_;
    std::size_t pos_ = 0;
};

// True when text begins with prefix, letters compared without regard to case.
bool startsWithNoCase(std::string_view text, std::string_view prefix);

}  // namespace setup
