#include "search/engine/LocationText.h"

namespace ardenvo {

std::string_view nestWords(NestPosition position) {
    switch (position) {
    case NestPosition::OnTop:
        return ", on the ";
    case NestPosition::Inside:
        return ", inside the ";
    case NestPosition::Under:
        break;
    }
    return ", under the ";
}

std::string locationText(const ContainerChain& chain) {
    const std::size_t first = chain.size() > kNamedContainers ? chain.size() - kNamedContainers : 0;
    std::string text = first == 0 ? "On the floor" : std::string(kFartherContainers);
    for (std::size_t i = first; i < chain.size(); ++i) {
        text += nestWords(chain[i].first);
        text += chain[i].second->name;
    }
    return text;
}

} // namespace ardenvo
