#include "platform/Resources.hpp"

#include <algorithm>

#include "platform/FormReader.hpp"

namespace {
// Every entry of every set that exists, oldest first.
std::vector<const TResourceEntry *> &Registered() {
    static std::vector<const TResourceEntry *> all;
    return all;
}
}  // namespace

TResources::TResources(std::initializer_list<TResourceEntry> entries) : entries_(entries) {
    for (const TResourceEntry &entry : entries_) Registered().push_back(&entry);
}

TResources::~TResources() {
    auto &all = Registered();
    all.erase(std::remove_if(all.begin(), all.end(),
                             [this](const TResourceEntry *e) {
                                 return e >= entries_.data() &&
                                        e < entries_.data() + entries_.size();
                             }),
              all.end());
}

std::optional<std::string_view> FindResource(const AnsiString &name, TResourceType type) {
    const auto &all = Registered();
    for (auto it = all.rbegin(); it != all.rend(); ++it)
        if ((*it)->Type == type && SameIdentifier((*it)->Name, name))
            return std::string_view(static_cast<const char *>((*it)->Data), (*it)->Size);
    return std::nullopt;
}
