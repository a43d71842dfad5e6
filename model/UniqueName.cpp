#include "model/UniqueName.h"

namespace ardenvo {

std::string uniqueSiblingName(const std::string& candidate,
                              const std::function<bool(const std::string&)>& taken) {
    if (!taken(candidate))
        return candidate;
    // Terminates: the siblings are finitely many, so some number is free.
    for (long long n = 2;; ++n) {
        std::string name = candidate + " " + std::to_string(n);
        if (!taken(name))
            return name;
    }
}

} // namespace ardenvo
