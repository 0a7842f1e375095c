#pragma once
// The folder model's one door to the shell namespace. The Windows layer implements it over
// IShellFolder and friends; TMemoryNamespace implements it in memory so that the model's
// order, filter and paging logic runs anywhere. ID lists are those of services/IDLists.h.
#include "services/ShellNames.h"
#include "services/IDLists.h"
#include "services/OwnedIDList.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

// Shell attribute bits (the values of the shell's SFGAO_ flags).
constexpr uint32_t AttrLink = 0x00010000;
constexpr uint32_t AttrHidden = 0x00080000;
constexpr uint32_t AttrStream = 0x00400000;
constexpr uint32_t AttrFileSysAncestor = 0x10000000;
constexpr uint32_t AttrFolder = 0x20000000;
constexpr uint32_t AttrFileSystem = 0x40000000;

// File attribute bits of TFileData (the values of FILE_ATTRIBUTE_).
constexpr uint32_t FileAttrReadOnly = 0x01;
constexpr uint32_t FileAttrHidden = 0x02;
constexpr uint32_t FileAttrSystem = 0x04;
constexpr uint32_t FileAttrDirectory = 0x10;

// Answer of the folder test.
enum class TFolderKind { Folder = 0, NotFolder = 1, NoFolderObject = 2 };

// Folders the model opens by themselves (the values of the shell's CSIDL_ numbers).
enum class TSpecialFolder { Desktop = 0x00, RecycleBin = 0x0A, Computer = 0x11 };

// What the file system records of an item.
struct TFileData {
    uint64_t WriteTime = 0; // FILETIME: 100 ns ticks since 1601, UTC
    uint64_t Size = 0;
    uint32_t Attributes = 0; // FileAttr... bits
};

// Children of one folder, one at a time, hidden and protected system items included.
class TChildEnumerator {
public:
    virtual ~TChildEnumerator() = default;
    // The next child ID list (one item, owned by the caller), or an empty owner at the end.
    virtual TOwnedIDList Next() = 0;
};

// One bound folder.
class TNamespaceFolder {
public:
    virtual ~TNamespaceFolder() = default;

    // nullptr when the folder cannot be enumerated; the model counts that as an empty folder.
    virtual std::unique_ptr<TChildEnumerator> EnumerateChildren() = 0;

    // Empty when the name cannot be read.
    virtual std::u16string DisplayName(const TIDList* child, TNameKind kind) = 0;

    // Asks for the attribute bits in mask about one child. On success mask holds the answer;
    // on failure the call returns false and mask is left as it was.
    virtual bool QueryAttributes(const TIDList* child, uint32_t& mask) = 0;

    // False for items without file data (virtual items).
    virtual bool FileData(const TIDList* child, TFileData& data) = 0;

    // The FileAttr... bits the enumeration recorded in the child's list, without asking the
    // file system; false for items without file data.
    virtual bool RecordedAttributes(const TIDList* child, uint32_t& attributes) = 0;

    // The folder named by a list relative to this one (a child, or deeper); nullptr on failure.
    virtual std::shared_ptr<TNamespaceFolder> Bind(const TIDList* relative) = 0;

    // True when both are of the same implementation (the desktop and another folder are not).
    virtual bool SameKind(const TNamespaceFolder& other) const = 0;
};

// A folder and the last item of an absolute list, which points into that list.
struct TParentAndChild {
    std::shared_ptr<TNamespaceFolder> Parent;
    const TIDList* Child = nullptr;
};

class TShellNamespace {
public:
    virtual ~TShellNamespace() = default;

    // The desktop folder; every call gives the same object.
    virtual std::shared_ptr<TNamespaceFolder> Desktop() = 0;

    // A new absolute list; empty owner on failure.
    virtual TOwnedIDList SpecialFolder(TSpecialFolder folder) = 0;

    // A new absolute list for a parsing name (a path); empty owner on failure.
    virtual TOwnedIDList ParseName(std::u16string_view name) = 0;

    // The folder of an absolute list (the desktop for the empty list); nullptr on failure.
    virtual std::shared_ptr<TNamespaceFolder> BindToFolder(const TIDList* absolute) = 0;

    // The parent folder of an absolute list's last item, and that item; no parent on failure.
    virtual TParentAndChild BindToParent(const TIDList* absolute) = 0;

    // Opens or runs the item the way the shell does. Quietly: no verb and no error interface of
    // the shell; otherwise the "open" verb with the shell's own error messages.
    virtual bool Execute(const TIDList* absolute, bool quietly) = 0;

    // The shell's locale-aware comparisons: case-sensitive over whole texts, case-insensitive
    // over at most count characters, and a case-insensitive substring test.
    virtual int Compare(std::u16string_view a, std::u16string_view b) = 0;
    virtual int CompareNoCase(std::u16string_view a, std::u16string_view b, int count) = 0;
    virtual bool ContainsNoCase(std::u16string_view text, std::u16string_view part) = 0;

    // A byte string whose plain byte order is Compare's order, so that a sort compares each
    // text once; false when this namespace has none (sorts then call Compare).
    virtual bool SortKey(std::u16string_view text, std::string& key) {
        (void)text;
        (void)key;
        return false;
    }

    // The extension of a parsing name with its dot, or empty.
    virtual std::u16string Extension(std::u16string_view name) = 0;

    // What the file system records of every entry of a file-system folder, by the entry's name
    // in the folder, in one pass over the folder; false when it cannot be listed to the end
    // (the entries given so far are right all the same).
    using TFileDataEntry = std::function<void(std::u16string_view name, const TFileData& data)>;
    virtual bool ListFileData(std::u16string_view folderPath, const TFileDataEntry& entry) {
        (void)folderPath;
        (void)entry;
        return false;
    }
};

// Folder test: Folder also when the shell could not answer (the request is then taken as the
// answer), NoFolderObject without a folder.
TFolderKind FolderKind(TNamespaceFolder* folder, const TIDList* child);

// File-system test: false when the shell could not answer.
bool IsFileSystem(TNamespaceFolder* folder, const TIDList* child);

// Runs an item quietly and, when that fails, once more with the shell's own error messages.
bool Launch(TShellNamespace& shell, const TIDList* absolute);
