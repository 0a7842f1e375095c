#include "model/MemoryNamespace.h"

#include "model/LinguisticCompare.h"
#include "services/WStrUtils.h"

#include <algorithm>
#include <cstring>

namespace {

// Every item ID of this namespace: its count, two marker bytes and the node's serial.
constexpr std::size_t ItemBytes = 8;
constexpr uint8_t Marker0 = 'M';
constexpr uint8_t Marker1 = 'N';

void WriteItem(uint8_t* at, uint32_t serial) {
    at[0] = ItemBytes;
    at[1] = 0;
    at[2] = Marker0;
    at[3] = Marker1;
    for (int k = 0; k < 4; ++k)
        at[4 + k] = static_cast<uint8_t>(serial >> (8 * k));
}

// The serials an ID list names, or false when one of its items is not ours.
bool ReadSerials(const TIDList* list, std::vector<uint32_t>& serials) {
    if (!list)
        return false;
    const auto* bytes = reinterpret_cast<const uint8_t*>(list);
    const std::size_t size = IDListSize(list) - 2;
    for (std::size_t at = 0; at < size; at += bytes[at] | (bytes[at + 1] << 8)) {
        if (bytes[at] != ItemBytes || bytes[at + 1] != 0 || bytes[at + 2] != Marker0 ||
            bytes[at + 3] != Marker1)
            return false;
        uint32_t serial = 0;
        for (int k = 0; k < 4; ++k)
            serial |= static_cast<uint32_t>(bytes[at + 4 + k]) << (8 * k);
        serials.push_back(serial);
    }
    return true;
}

TOwnedIDList ListOf(const std::vector<uint32_t>& serials) {
    auto* bytes = static_cast<uint8_t*>(TaskMemAlloc(serials.size() * ItemBytes + 2));
    if (!bytes)
        return {};
    for (std::size_t i = 0; i < serials.size(); ++i)
        WriteItem(bytes + i * ItemBytes, serials[i]);
    bytes[serials.size() * ItemBytes] = 0;
    bytes[serials.size() * ItemBytes + 1] = 0;
    return TOwnedIDList(reinterpret_cast<TIDList*>(bytes));
}

bool SameTextNoCase(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char16_t x, char16_t y) { return FoldCase(x) == FoldCase(y); });
}

} // namespace

class TMemoryEnumerator final : public TChildEnumerator {
public:
    explicit TMemoryEnumerator(std::vector<TMemoryNamespace::TNode> children)
        : FChildren(std::move(children)) {}
    TOwnedIDList Next() override {
        if (FNext >= FChildren.size())
            return {};
        return ListOf({FChildren[FNext++]});
    }

private:
    std::vector<TMemoryNamespace::TNode> FChildren;
    std::size_t FNext = 0;
};

class TMemoryFolder final : public TNamespaceFolder {
public:
    TMemoryFolder(TMemoryNamespace& owner, TMemoryNamespace::TNode node, int kindTag)
        : FOwner(owner), FNode(node), FKindTag(kindTag) {}

    std::unique_ptr<TChildEnumerator> EnumerateChildren() override {
        if (FOwner.OnEnumerate)
            FOwner.OnEnumerate(FNode);
        const auto* data = FOwner.Find(FNode);
        if (!data || data->EnumerationFails)
            return nullptr;
        return std::make_unique<TMemoryEnumerator>(data->Children);
    }

    std::u16string DisplayName(const TIDList* child, TNameKind kind) override {
        const auto* data = FOwner.Find(ChildOrSelf(child));
        if (!data || data->NamesFail)
            return {};
        if (kind == TNameKind::Parsing)
            return FOwner.ParsingNameOf(ChildOrSelf(child));
        if (kind == TNameKind::Normal)
            return FOwner.NormalNameOf(*data);
        return data->Name;
    }

    bool QueryAttributes(const TIDList* child, uint32_t& mask) override {
        const auto* data = FOwner.Find(ChildOrSelf(child));
        if (!data || data->AttributesFail)
            return false;
        mask &= data->ShellAttributes;
        return true;
    }

    bool FileData(const TIDList* child, TFileData& out) override {
        ++FOwner.FileDataCalls;
        return Recorded(child, out);
    }

    bool RecordedAttributes(const TIDList* child, uint32_t& attributes) override {
        TFileData data;
        if (!Recorded(child, data))
            return false;
        attributes = data.Attributes;
        return true;
    }

    std::shared_ptr<TNamespaceFolder> Bind(const TIDList* relative) override {
        if (IsEmptyIDList(relative))
            return nullptr;
        const TMemoryNamespace::TNode target = FOwner.Descend(FNode, relative);
        return target == TMemoryNamespace::NoNode ? nullptr : FOwner.FolderFor(target);
    }

    bool SameKind(const TNamespaceFolder& other) const override {
        const auto* folder = dynamic_cast<const TMemoryFolder*>(&other);
        return folder && folder->FKindTag == FKindTag;
    }

private:
    bool Recorded(const TIDList* child, TFileData& out) const {
        const auto* data = FOwner.Find(FOwner.ChildOf(FNode, child));
        if (!data || !data->HasFileData)
            return false;
        out = data->Data;
        return true;
    }

    // The shell names a folder itself through the empty list (the desktop does so).
    TMemoryNamespace::TNode ChildOrSelf(const TIDList* child) const {
        return IsEmptyIDList(child) ? FNode : FOwner.ChildOf(FNode, child);
    }

    TMemoryNamespace& FOwner;
    TMemoryNamespace::TNode FNode;
    int FKindTag;
};

TMemoryNamespace::TMemoryNamespace() {
    TNodeData desktop;
    desktop.Name = u"Desktop";
    desktop.ParsingName = u"C:\\Users\\User\\Desktop";
    desktop.ShellAttributes = AttrFolder | AttrFileSystem | AttrFileSysAncestor;
    desktop.KindTag = 1;
    AddNode(NoNode, desktop);
    FComputer =
        AddVirtual(DesktopNode, u"Computer", u"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", true);
    FRecycleBin =
        AddVirtual(DesktopNode, u"Recycle Bin", u"::{645FF040-5081-101B-9F08-00AA002F954E}", true);
}

TMemoryNamespace::TNode TMemoryNamespace::AddNode(TNode parent, TNodeData data) {
    const TNode node = FNextSerial++;
    data.Parent = parent;
    FNodes.emplace(node, std::move(data));
    if (parent != NoNode)
        Get(parent).Children.push_back(node);
    return node;
}

TMemoryNamespace::TNode TMemoryNamespace::AddDrive(char16_t letter, const std::u16string& label) {
    TNodeData drive;
    drive.Name = label + u" (" + letter + u":)";
    drive.ParsingName = std::u16string(1, letter) + u":\\";
    drive.ShellAttributes = AttrFolder | AttrFileSystem | AttrFileSysAncestor;
    return AddNode(FComputer, drive);
}

TMemoryNamespace::TNode TMemoryNamespace::AddFolder(TNode parent, const std::u16string& name,
                                                    uint64_t writeTime, uint32_t fileAttributes) {
    TNodeData folder;
    folder.Name = name;
    folder.ShellAttributes = AttrFolder | AttrFileSystem | AttrFileSysAncestor |
                             ((fileAttributes & FileAttrHidden) ? AttrHidden : 0);
    folder.HasFileData = true;
    folder.Data = {writeTime, 0, fileAttributes | FileAttrDirectory};
    return AddNode(parent, folder);
}

TMemoryNamespace::TNode TMemoryNamespace::AddFile(TNode parent, const std::u16string& name,
                                                  uint64_t size, uint64_t writeTime,
                                                  uint32_t fileAttributes) {
    TNodeData file;
    file.Name = name;
    file.ShellAttributes =
        AttrFileSystem | AttrStream | ((fileAttributes & FileAttrHidden) ? AttrHidden : 0);
    file.HasFileData = true;
    file.Data = {writeTime, size, fileAttributes};
    return AddNode(parent, file);
}

TMemoryNamespace::TNode TMemoryNamespace::AddVirtual(TNode parent,
                                                     const std::u16string& displayName,
                                                     const std::u16string& parsingName,
                                                     bool isFolder) {
    TNodeData item;
    item.Name = displayName;
    item.ParsingName = parsingName;
    item.ShellAttributes = isFolder ? AttrFolder : 0;
    return AddNode(parent, item);
}

void TMemoryNamespace::Remove(TNode node) {
    if (!Find(node) || node == DesktopNode)
        return;
    for (TNode child : std::vector<TNode>(Get(node).Children))
        Remove(child);
    auto& siblings = Get(Get(node).Parent).Children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), node), siblings.end());
    FNodes.erase(node);
}

void TMemoryNamespace::Rename(TNode node, const std::u16string& name) {
    Get(node).Name = name;
}

const TMemoryNamespace::TNodeData* TMemoryNamespace::Find(TNode node) const {
    const auto found = FNodes.find(node);
    return found == FNodes.end() ? nullptr : &found->second;
}

TMemoryNamespace::TNodeData& TMemoryNamespace::Get(TNode node) {
    return FNodes.at(node);
}

TMemoryNamespace::TNode TMemoryNamespace::ChildOf(TNode folder, const TIDList* child) const {
    std::vector<uint32_t> serials;
    if (!ReadSerials(child, serials) || serials.size() != 1)
        return NoNode;
    const auto* data = Find(serials[0]);
    return data && data->Parent == folder ? serials[0] : NoNode;
}

TMemoryNamespace::TNode TMemoryNamespace::Descend(TNode folder, const TIDList* relative) const {
    std::vector<uint32_t> serials;
    if (!ReadSerials(relative, serials))
        return NoNode;
    TNode node = folder;
    for (uint32_t serial : serials) {
        const auto* data = Find(serial);
        if (!data || data->Parent != node)
            return NoNode;
        node = serial;
    }
    return node;
}

std::u16string TMemoryNamespace::NormalNameOf(const TNodeData& data) {
    ++NormalNameCalls;
    if (!data.NormalName.empty())
        return data.NormalName;
    const bool isFile = data.HasFileData && !(data.Data.Attributes & FileAttrDirectory);
    const std::u16string_view extension = FindExtensionView(data.Name);
    if (isFile && extension.size() < data.Name.size() &&
        HiddenExtensions.contains(std::u16string(extension)))
        return data.Name.substr(0, data.Name.size() - extension.size());
    return data.Name;
}

void TMemoryNamespace::SetNormalName(TNode node, const std::u16string& name) {
    Get(node).NormalName = name;
}

std::u16string TMemoryNamespace::ParsingNameOf(TNode node) const {
    const auto* data = Find(node);
    if (!data)
        return {};
    if (!data->ParsingName.empty())
        return data->ParsingName;
    std::u16string path = ParsingNameOf(data->Parent);
    NormalizeTrailingBackslash(path);
    return path + data->Name;
}

std::shared_ptr<TNamespaceFolder> TMemoryNamespace::FolderFor(TNode node) {
    const auto* data = Find(node);
    if (!data || !(data->ShellAttributes & AttrFolder))
        return nullptr;
    if (node == DesktopNode)
        return Desktop();
    return std::make_shared<TMemoryFolder>(*this, node, data->KindTag);
}

TOwnedIDList TMemoryNamespace::AbsoluteIDList(TNode node) const {
    std::vector<uint32_t> serials;
    for (TNode at = node; at != DesktopNode; at = Find(at)->Parent) {
        if (!Find(at))
            return {};
        serials.insert(serials.begin(), at);
    }
    return ListOf(serials);
}

TMemoryNamespace::TNode TMemoryNamespace::NodeOf(const TIDList* absolute) const {
    return Descend(DesktopNode, absolute);
}

void TMemoryNamespace::SetEnumerationFails(TNode folder, bool fails) {
    Get(folder).EnumerationFails = fails;
}

void TMemoryNamespace::SetNamesFail(TNode node, bool fails) {
    Get(node).NamesFail = fails;
}

void TMemoryNamespace::SetAttributesFail(TNode node, bool fails) {
    Get(node).AttributesFail = fails;
}

void TMemoryNamespace::SetShellAttributes(TNode node, uint32_t attributes) {
    Get(node).ShellAttributes = attributes;
}

void TMemoryNamespace::SetKindTag(TNode folder, int tag) {
    Get(folder).KindTag = tag;
}

std::shared_ptr<TNamespaceFolder> TMemoryNamespace::Desktop() {
    if (!FDesktop)
        FDesktop = std::make_shared<TMemoryFolder>(*this, DesktopNode, Get(DesktopNode).KindTag);
    return FDesktop;
}

TOwnedIDList TMemoryNamespace::SpecialFolder(TSpecialFolder folder) {
    switch (folder) {
    case TSpecialFolder::Desktop:
        return AbsoluteIDList(DesktopNode);
    case TSpecialFolder::RecycleBin:
        return AbsoluteIDList(FRecycleBin);
    case TSpecialFolder::Computer:
        return AbsoluteIDList(FComputer);
    }
    return {};
}

bool TMemoryNamespace::ListFileData(std::u16string_view folderPath, const TFileDataEntry& entry) {
    ++FileDataListings;
    for (const auto& [node, data] : FNodes) {
        if ((data.ShellAttributes & (AttrFolder | AttrFileSystem)) ==
                (AttrFolder | AttrFileSystem) &&
            SameTextNoCase(ParsingNameOf(node), folderPath)) {
            for (const TNode child : data.Children)
                if (const TNodeData* childData = Find(child); childData && childData->HasFileData)
                    entry(childData->Name, childData->Data);
            return !ListingFails;
        }
    }
    return false;
}

TOwnedIDList TMemoryNamespace::ParseName(std::u16string_view name) {
    for (const auto& [node, data] : FNodes) {
        if (SameTextNoCase(ParsingNameOf(node), name))
            return AbsoluteIDList(node);
    }
    return {};
}

std::shared_ptr<TNamespaceFolder> TMemoryNamespace::BindToFolder(const TIDList* absolute) {
    if (IsEmptyIDList(absolute))
        return Desktop();
    return Desktop()->Bind(absolute);
}

TParentAndChild TMemoryNamespace::BindToParent(const TIDList* absolute) {
    const TNode node = NodeOf(absolute);
    if (node == NoNode)
        return {};
    if (node == DesktopNode)
        return {Desktop(), absolute};
    return {FolderFor(Find(node)->Parent), LastIDListItem(absolute)};
}

bool TMemoryNamespace::Execute(const TIDList* absolute, bool quietly) {
    const TNode node = NodeOf(absolute);
    Executions.push_back({node, quietly});
    if (node == NoNode)
        return false;
    return quietly ? QuietExecuteSucceeds : LoudExecuteSucceeds;
}

int TMemoryNamespace::Compare(std::u16string_view a, std::u16string_view b) {
    return CompareLinguistic(a, b);
}

bool TMemoryNamespace::SortKey(std::u16string_view text, std::string& key) {
    if (SortKeysFail)
        return false;
    key = LinguisticSortKey(text);
    return true;
}

int TMemoryNamespace::CompareNoCase(std::u16string_view a, std::u16string_view b, int count) {
    return CompareLinguisticNoCase(a, b, count);
}

bool TMemoryNamespace::ContainsNoCase(std::u16string_view text, std::u16string_view part) {
    return ::ContainsNoCase(text, part);
}

std::u16string TMemoryNamespace::Extension(std::u16string_view name) {
    return FindExtension(name);
}
