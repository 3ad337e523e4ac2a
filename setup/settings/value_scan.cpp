#include "setup/settings/value_scan.h"

#include <cstdlib>

namespace setup {

namespace {
bool isSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (lower(text[i]) != lower(prefix[i])) return false;
    return true;
}

bool ValueScanner::atSpace() const { return pos_ < text_.size() && isSpace(text_[pos_]); }

void ValueScanner::skipSpace() {
    while (atSpace()) ++pos_;
}

bool ValueScanner::literal(char c) {
    if (pos_ >= text_.size() || text_[pos_] != c) return false;
    ++pos_;
    return true;
}

std::optional<std::int32_t> ValueScanner::integer() {
    skipSpace();
    std::size_t p = pos_;
    bool negative = false;
    if (p < text_.size() && (text_[p] == '+' || text_[p] == '-')) negative = text_[p++] == '-';
    if (p >= text_.size() || !isDigit(text_[p])) return std::nullopt;
    std::uint32_t value = 0;
    while (p < text_.size() && isDigit(text_[p])) value = value * 10u + static_cast<std::uint32_t>(text_[p++] - '0');
    pos_ = p;
    return static_cast<std::int32_t>(negative ? 0u - value : value);
}

std::optional<float> ValueScanner::real() {
    skipSpace();
    std::size_t p = pos_;
    auto digits = [&] {
        std::size_t start = p;
        while (p < text_.size() && isDigit(text_[p])) ++p;
        return p - start;
    };
    if (p < text_.size() && (text_[p] == '+' || text_[p] == '-')) ++p;
    std::size_t mantissaDigits = digits();
    if (p < text_.size() && text_[p] == '.') {
        ++p;
        mantissaDigits += digits();
    }
    if (mantissaDigits == 0) return std::nullopt;
    // An exponent counts only when digits follow its letter and sign.
    if (p < text_.size() && (text_[p] == 'e' || text_[p] == 'E')) {
        std::size_t mark = p++;
        if (p < text_.size() && (text_[p] == '+' || text_[p] == '-')) ++p;
        if (digits() == 0) p = mark;
    }
    std::string token(text_.substr(pos_, p - pos_));
    pos_ = p;
    return std::strtof(token.c_str(), nullptr);
}

std::optional<std::string> ValueScanner::word(std::size_t maxLength) {
    skipSpace();
    std::size_t start = pos_;
    while (pos_ < text_.size() && !isSpace(text_[pos_]) && pos_ - start < maxLength) ++pos_;
    if (pos_ == start) return std::nullopt;
    return std::string(text_.substr(start, pos_ - start));
}

}  // namespace setup
