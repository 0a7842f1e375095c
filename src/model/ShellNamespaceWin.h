#pragma once
// The shell namespace of Windows behind the folder model's interface.
#include "model/ShellNamespace.h"

#include <windows.h>
#include <shlobj.h>
#include <wrl/client.h>

class TWinShellFolder final : public TNamespaceFolder {
public:
    explicit TWinShellFolder(Microsoft::WRL::ComPtr<IShellFolder> folder);

    IShellFolder* Get() const { return FFolder.Get(); }
    // The IShellFolder under a folder of this namespace; nullptr for any other folder.
    static IShellFolder* NativeOf(const TNamespaceFolder* folder);

    std::unique_ptr<TChildEnumerator> EnumerateChildren() override;
    std::u16string DisplayName(const TIDList* child, TNameKind kind) override;
    bool QueryAttributes(const TIDList* child, uint32_t& mask) override;
    bool FileData(const TIDList* child, TFileData& data) override;
    bool RecordedAttributes(const TIDList* child, uint32_t& attributes) override;
    std::shared_ptr<TNamespaceFolder> Bind(const TIDList* relative) override;
    bool SameKind(const TNamespaceFolder& other) const override;

private:
    // What the shell recorded of a file-system child when it was enumerated.
    bool RecordedFindData(const TIDList* child, WIN32_FIND_DATAW& found);

    Microsoft::WRL::ComPtr<IShellFolder> FFolder;
};

class TWinShellNamespace final : public TShellNamespace {
public:
    // The window the shell's own messages belong to when launching; none by default.
    HWND OwnerWindow = nullptr;

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
    std::shared_ptr<TNamespaceFolder> FDesktop;
};
