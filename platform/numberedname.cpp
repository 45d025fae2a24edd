#include "platform/numberedname.h"

#include <cctype>

std::string nextNumberedName(const std::string &path)
{
    const std::size_t slash = path.find_last_of("/\\");
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < nameStart)
        dot = path.size();
    const std::string stem = path.substr(0, dot);
    const std::string extension = path.substr(dot);

    // A stem that ends in "(digits)" already carries a number: count it up.
    if (stem.size() >= nameStart + 3 && stem.back() == ')') {
        const std::size_t open = stem.rfind('(');
        if (open != std::string::npos && open >= nameStart && open + 2 < stem.size()) {
            const std::string digits = stem.substr(open + 1, stem.size() - open - 2);
            bool allDigits = digits.size() <= 9;
            for (char c : digits)
                allDigits = allDigits && std::isdigit(static_cast<unsigned char>(c));
            if (allDigits)
                return stem.substr(0, open) + '(' + std::to_string(std::stol(digits) + 1) + ')' + extension;
        }
    }
    return stem + "(1)" + extension;
}

std::optional<std::string> freeNumberedName(const std::string &path, const std::function<bool(const std::string &)> &taken,
                                            int tries)
{
    std::string candidate = path;
    for (int i = 0; i < tries; ++i) {
        candidate = nextNumberedName(candidate);
        if (!taken(candidate))
            return candidate;
    }
    return std::nullopt;
}
