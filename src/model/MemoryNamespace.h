#pragma once
// A small namespace held in memory, answering like the shell: the desktop with Computer (its
// drives under it) and the Recycle Bin, plus whatever folders, files and virtual items a test
// adds. It lets the folder model run natively, and lets tests break the namespace on purpose:
// folders that cannot be enumerated, names and attributes that cannot be read, a folder that
// changes between two enumerations.
#include "model/ShellNamespace.h"

#include <functional>
#include <map>
#include <set>
#include <vector>

class TMemoryNamespace final : public TShellNamespace {
public:
    using TNode = uint32_t; // a node's serial; it also forms the node's item ID
    static constexpr TNode DesktopNode = 1;
    static constexpr TNode NoNode = 0;

    TMemoryNamespace();

    TNode ComputerNode() const { return FComputer; }
    TNode RecycleBinNode() const { return FRecycleBin; }

    // A drive under Computer: shown as "label (C:)", parsed as C:\, without file data.
    TNode AddDrive(char16_t letter, const std::u16string& label);
    // File-system items below a file-system folder; their parsing names are the parent's path
    // and the name.
    TNode AddFolder(TNode parent, const std::u16string& name, uint64_t writeTime = 0,
                    uint32_t fileAttributes = 0);
    TNode AddFile(TNode parent, const std::u16string& name, uint64_t size, uint64_t writeTime,
                  uint32_t fileAttributes = 0);
    // An item outside the file system (a control-panel entry, say): no file data.
    TNode AddVirtual(TNode parent, const std::u16string& displayName,
                     const std::u16string& parsingName, bool isFolder);

    // A normal name of its own, as the shell gives a localized folder or a file beside a
    // desktop.ini.
    void SetNormalName(TNode node, const std::u16string& name);
    // Files with these extensions (".lnk") are named without them, as the shell hides the
    // extensions of known types.
    std::set<std::u16string> HiddenExtensions;
    // How often a normal name was asked for.
    int NormalNameCalls = 0;
    // Sorts then fall back to comparing names pair by pair.
    bool SortKeysFail = false;
    // How often one item's file data was read, and how often a folder's in one pass; a failing
    // listing still gives its entries.
    int FileDataCalls = 0;
    int FileDataListings = 0;
    bool ListingFails = false;

    // Removes the node and everything below it.
    void Remove(TNode node);
    // A new display and editing name; file-system parsing names below follow.
    void Rename(TNode node, const std::u16string& name);

    TOwnedIDList AbsoluteIDList(TNode node) const;
    // The node an absolute list names, or NoNode.
    TNode NodeOf(const TIDList* absolute) const;

    // Failures on demand.
    void SetEnumerationFails(TNode folder, bool fails);
    void SetNamesFail(TNode node, bool fails);
    void SetAttributesFail(TNode node, bool fails);
    // Replaces the shell attribute bits the node reports.
    void SetShellAttributes(TNode node, uint32_t attributes);
    // Folders with equal tags are of the same kind; the desktop has 1, every other folder 2.
    void SetKindTag(TNode folder, int tag);

    // Called at the start of every enumeration of a folder, before its children are taken.
    std::function<void(TNode folder)> OnEnumerate;

    // What Execute was asked, in order.
    struct TExecution {
        TNode Node;
        bool Quietly;
    };
    std::vector<TExecution> Executions;
    bool QuietExecuteSucceeds = true;
    bool LoudExecuteSucceeds = true;

    // TShellNamespace
    std::shared_ptr<TNamespaceFolder> Desktop() override;
    TOwnedIDList SpecialFolder(TSpecialFolder folder) override;
    TOwnedIDList ParseName(std::u16string_view name) override;
    std::shared_ptr<TNamespaceFolder> BindToFolder(const TIDList* absolute) override;
    TParentAndChild BindToParent(const TIDList* absolute) override;
    bool Execute(const TIDList* absolute, bool quietly) override;
    int Compare(std::u16string_view a, std::u16string_view b) override;
    int CompareNoCase(std::u16string_view a, std::u16string_view b, int count) override;
    bool ContainsNoCase(std::u16string_view text, std::u16string_view part) override;
    bool SortKey(std::u16string_view text, std::string& key) override;
    std::u16string Extension(std::u16string_view name) override;
    bool ListFileData(std::u16string_view folderPath, const TFileDataEntry& entry) override;

private:
    friend class TMemoryFolder;
    friend class TMemoryEnumerator;

    struct TNodeData {
        TNode Parent = NoNode;
        std::vector<TNode> Children;
        std::u16string Name;        // display name
        std::u16string NormalName;  // when it differs from the above
        std::u16string ParsingName; // fixed for virtual items and drives, else derived
        uint32_t ShellAttributes = 0;
        bool HasFileData = false;
        TFileData Data;
        int KindTag = 2;
        bool EnumerationFails = false;
        bool NamesFail = false;
        bool AttributesFail = false;
    };

    TNode AddNode(TNode parent, TNodeData data);
    const TNodeData* Find(TNode node) const;
    TNodeData& Get(TNode node);
    // The child of folder that a one-item list names, or NoNode.
    TNode ChildOf(TNode folder, const TIDList* child) const;
    // The node a list relative to folder names, or NoNode.
    TNode Descend(TNode folder, const TIDList* relative) const;
    std::u16string ParsingNameOf(TNode node) const;
    std::u16string NormalNameOf(const TNodeData& data);
    std::shared_ptr<TNamespaceFolder> FolderFor(TNode node);

    std::map<TNode, TNodeData> FNodes;
    TNode FNextSerial = DesktopNode;
    TNode FComputer = NoNode;
    TNode FRecycleBin = NoNode;
    std::shared_ptr<TNamespaceFolder> FDesktop;
};
