#include "model/ShellNamespace.h"

TFolderKind FolderKind(TNamespaceFolder* folder, const TIDList* child) {
    if (!folder)
        return TFolderKind::NoFolderObject;
    uint32_t mask = AttrFolder;
    folder->QueryAttributes(child, mask);
    return (mask & AttrFolder) ? TFolderKind::Folder : TFolderKind::NotFolder;
}

bool IsFileSystem(TNamespaceFolder* folder, const TIDList* child) {
    uint32_t mask = AttrFileSystem;
    return folder && folder->QueryAttributes(child, mask) && (mask & AttrFileSystem);
}

bool Launch(TShellNamespace& shell, const TIDList* absolute) {
    return shell.Execute(absolute, true) || shell.Execute(absolute, false);
}
