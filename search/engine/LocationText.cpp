#include "search/engine/LocationText.h"

#include "model/TextEncoding.h"

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

std::string containerName(std::string_view name) {
    std::string text = readableUtf8(name);
    if (text.size() <= kMaxContainerNameBytes)
        return text;
    std::size_t cut = kMaxContainerNameBytes;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut; // never inside a character
    text.resize(cut);
    text += kFartherContainers;
    return text;
}

namespace {

template <typename Chain, typename Name> std::string chainText(const Chain& chain, Name name) {
    const std::size_t first = chain.size() > kNamedContainers ? chain.size() - kNamedContainers : 0;
    std::string text = first == 0 ? "On the floor" : std::string(kFartherContainers);
    for (std::size_t i = first; i < chain.size(); ++i) {
        text += nestWords(chain[i].first);
        text += containerName(name(chain[i].second));
    }
    return text;
}

} // namespace

std::string locationText(const ContainerChain& chain) {
    return chainText(chain, [](const CHouseObject* o) -> std::string_view { return o->name; });
}

std::string locationText(const NamedContainerChain& chain) {
    return chainText(chain, [](std::string_view name) { return name; });
}

} // namespace ardenvo
