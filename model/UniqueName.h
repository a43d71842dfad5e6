#pragma once

#include <functional>
#include <string>

namespace ardenvo {

// The candidate itself when no sibling bears it, else the candidate, a blank and the first free
// number from 2. `taken` says whether a sibling bears a name.
std::string uniqueSiblingName(const std::string& candidate,
                              const std::function<bool(const std::string&)>& taken);

// The same over any list of owned items with a `name` reachable through `nameOf`.
template <typename List, typename NameOf>
std::string uniqueSiblingNameIn(const std::string& candidate, const List& siblings, NameOf nameOf) {
    return uniqueSiblingName(candidate, [&](const std::string& n) {
        for (const auto& s : siblings)
            if (nameOf(*s) == n)
                return true;
        return false;
    });
}

} // namespace ardenvo
