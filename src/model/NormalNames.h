#pragma once
// The shell's normal name of a plain file is its file name, with or without the extension as
// the file's type asks. Asking the shell costs a registry walk per item, so one read of a folder
// asks once per distinct extension and names the other files of that extension by the answer.
// Callers keep to plain files of plain file-system folders: the shell may name folders, system
// or read-only items and anything beside a desktop.ini otherwise.
#include "services/WStrUtils.h"

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

class TNormalNameRules {
public:
    // The normal name of the file named fileName in its folder; askShell() gives the shell's
    // own answer for this file and is called only when no rule is known.
    template <class TAsk> std::u16string NameOf(std::u16string_view fileName, TAsk&& askShell) {
        const std::u16string_view extension = FindExtensionView(fileName);
        // A name that is all extension (".profile") is no instance of its extension's rule.
        const bool ruled = extension.size() < fileName.size();
        const auto known = ruled ? FRules.find(extension) : FRules.end();
        if (known != FRules.end() && known->second != TRule::AskEach)
            return Apply(known->second, fileName, extension);
        std::u16string answer = askShell();
        ++FShellCalls;
        if (ruled && known == FRules.end())
            Learn(fileName, extension, answer);
        return answer;
    }

    // How often the shell was asked; the benchmark and the tests read it.
    int ShellCalls() const { return FShellCalls; }

private:
    enum class TRule { Whole, WithoutExtension, AskEach };

    static std::u16string Apply(TRule rule, std::u16string_view fileName,
                                std::u16string_view extension);
    void Learn(std::u16string_view fileName, std::u16string_view extension,
               std::u16string_view answer);

    // Looked up by views of the names, without a copy per item.
    struct THash : std::hash<std::u16string_view> {
        using is_transparent = void;
    };
    std::unordered_map<std::u16string, TRule, THash, std::equal_to<>> FRules;
    int FShellCalls = 0;
};
