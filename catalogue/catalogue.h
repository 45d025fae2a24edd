#pragma once
// The whole catalogue: the six category windows in the order of the main-window labels that open
// them (标签9 to 标签14).

#include "catalogue/actioncommands.h"
#include "catalogue/conditioncommands.h"
#include "catalogue/herocommands.h"
#include "catalogue/messagecommands.h"
#include "catalogue/scriptexamples.h"
#include "catalogue/triggercommands.h"

#include <algorithm>
#include <array>

inline constexpr std::array<CommandCategory, 6> kCatalogue{{
    kActionCategory,
    kHeroCategory,
    kTriggerCategory,
    kConditionCategory,
    kMessageCategory,
    kScriptExampleCategory,
}};

namespace catalogue_detail {

constexpr bool numbersAscend(const CommandCategory &category)
{
    return std::ranges::adjacent_find(category.entries, [](const auto &a, const auto &b) {
               return a.number >= b.number;
           }) == category.entries.end();
}

constexpr int countEntries(auto predicate)
{
    int n = 0;
    for (const CommandCategory &category : kCatalogue)
        n += int(std::ranges::count_if(category.entries, predicate));
    return n;
}

} // namespace catalogue_detail

// Buttons are kept in the order of their numbers, each number once; a window's controls are built
// from this order.
static_assert(std::ranges::all_of(kCatalogue, catalogue_detail::numbersAscend));
static_assert(catalogue_detail::countEntries([](const CatalogueEntry &) { return true; }) == 122);
static_assert(catalogue_detail::countEntries(&CatalogueEntry::isInert) == 10);
