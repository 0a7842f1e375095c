#include "render/SelectionNames.h"

#include <unordered_map>
#include <vector>

namespace {
struct TNamedObject {
    const void* Object = nullptr;
    const std::type_info* Type = nullptr;
};

struct TSelectionNames {
    std::unordered_map<const void*, uint32_t> NameOf;
    std::vector<TNamedObject> ByName{TNamedObject{}}; // name 0 stays unused
    std::vector<uint32_t> FreeNames;
};

TSelectionNames& Names() {
    static TSelectionNames names;
    return names;
}
} // namespace

uint32_t RegisterSelectionName(const void* object, const std::type_info& type) {
    TSelectionNames& names = Names();
    auto found = names.NameOf.find(object);
    if (found != names.NameOf.end()) {
        // A new object at a forgotten object's address takes over its name.
        names.ByName[found->second].Type = &type;
        return found->second;
    }
    uint32_t name;
    if (!names.FreeNames.empty()) {
        name = names.FreeNames.back();
        names.FreeNames.pop_back();
    } else {
        name = static_cast<uint32_t>(names.ByName.size());
        names.ByName.emplace_back();
    }
    names.ByName[name] = {object, &type};
    names.NameOf.emplace(object, name);
    return name;
}

const void* SelectionNameObject(uint32_t name, const std::type_info& type) {
    TSelectionNames& names = Names();
    if (name == 0 || name >= names.ByName.size())
        return nullptr;
    const TNamedObject& named = names.ByName[name];
    if (!named.Object || *named.Type != type)
        return nullptr;
    return named.Object;
}

void ForgetSelectionName(const void* object) {
    TSelectionNames& names = Names();
    auto found = names.NameOf.find(object);
    if (found == names.NameOf.end())
        return;
    names.ByName[found->second] = TNamedObject{};
    names.FreeNames.push_back(found->second);
    names.NameOf.erase(found);
}
