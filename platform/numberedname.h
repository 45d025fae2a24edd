#pragma once
// Free names for a file whose name is taken: "(1)" goes in front of the extension, a name that already
// has a number in round brackets there gets the next number.

#include <functional>
#include <optional>
#include <string>

// "dir/a.exe" -> "dir/a(1).exe", "dir/a(1).exe" -> "dir/a(2).exe", "dir/a" -> "dir/a(1)".
std::string nextNumberedName(const std::string &path);

// The first of up to `tries` successive numbered names after `path` that `taken` does not reject.
std::optional<std::string> freeNumberedName(const std::string &path, const std::function<bool(const std::string &)> &taken,
                                            int tries = 99);
