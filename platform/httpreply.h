#pragma once
// Small pieces of HTTP that the downloader checks every reply with.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// "bytes FIRST-LAST/TOTAL"; TOTAL is -1 for "*". "bytes */TOTAL" gives first = last = -1.
struct ContentRange {
    std::int64_t first = -1;
    std::int64_t last = -1;
    std::int64_t total = -1;
};
std::optional<ContentRange> parseContentRange(std::string_view value);

// "Name: value" -> lower-case name and trimmed value; false for a line that is no header.
bool splitHeaderLine(std::string_view line, std::string &name, std::string &value);

// The address with spaces and bytes outside ASCII percent-encoded, as a request line needs it.
std::string percentEncodedAddress(std::string_view address);

// The Referer sent when the task names none: the address up to the last "/" of its path.
std::string derivedReferer(std::string_view address);

// "host" or "host:port" -> "http://host:port", port 80 when none is given.
std::string proxyAddress(std::string_view hostAndPort);
