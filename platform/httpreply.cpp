#include "platform/httpreply.h"

#include <charconv>

namespace {

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' || text.back() == '\n'))
        text.remove_suffix(1);
    return text;
}

bool parseNumber(std::string_view text, std::int64_t &number)
{
    if (text.empty())
        return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() && end == text.data() + text.size() && number >= 0;
}

} // namespace

std::optional<ContentRange> parseContentRange(std::string_view value)
{
    value = trimmed(value);
    constexpr std::string_view unit = "bytes ";
    if (value.substr(0, unit.size()) != unit)
        return std::nullopt;
    value.remove_prefix(unit.size());
    const std::size_t slash = value.find('/');
    if (slash == std::string_view::npos)
        return std::nullopt;
    ContentRange range;
    const std::string_view span = trimmed(value.substr(0, slash));
    const std::string_view total = trimmed(value.substr(slash + 1));
    if (total != "*" && !parseNumber(total, range.total))
        return std::nullopt;
    if (span == "*")
        return range.total >= 0 ? std::optional(range) : std::nullopt;
    const std::size_t dash = span.find('-');
    if (dash == std::string_view::npos || !parseNumber(span.substr(0, dash), range.first)
        || !parseNumber(span.substr(dash + 1), range.last) || range.last < range.first
        || (range.total >= 0 && range.last >= range.total))
        return std::nullopt;
    return range;
}

bool splitHeaderLine(std::string_view line, std::string &name, std::string &value)
{
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos || colon == 0)
        return false;
    name.clear();
    for (char c : line.substr(0, colon))
        name += (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
    value = std::string(trimmed(line.substr(colon + 1)));
    return true;
}

std::string percentEncodedAddress(std::string_view address)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(address.size());
    for (unsigned char c : address) {
        if (c >= 0x80 || c == ' ') {
            encoded += '%';
            encoded += hex[c >> 4];
            encoded += hex[c & 15];
        } else {
            encoded += char(c);
        }
    }
    return encoded;
}

std::string derivedReferer(std::string_view address)
{
    const std::size_t scheme = address.find("://");
    const std::size_t pathStart = address.find('/', scheme == std::string_view::npos ? 0 : scheme + 3);
    if (pathStart == std::string_view::npos)
        return std::string(address) + '/';
    std::string_view path = address.substr(pathStart);
    path = path.substr(0, path.find_first_of("?#"));
    return std::string(address.substr(0, pathStart)) + std::string(path.substr(0, path.rfind('/') + 1));
}

std::string proxyAddress(std::string_view hostAndPort)
{
    hostAndPort = trimmed(hostAndPort);
    const bool hasPort = hostAndPort.find(':') != std::string_view::npos;
    return "http://" + std::string(hostAndPort) + (hasPort ? "" : ":80");
}
