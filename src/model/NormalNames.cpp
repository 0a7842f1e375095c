#include "model/NormalNames.h"

std::u16string TNormalNameRules::Apply(TRule rule, std::u16string_view fileName,
                                       std::u16string_view extension) {
    if (rule == TRule::WithoutExtension)
        fileName.remove_suffix(extension.size());
    return std::u16string(fileName);
}

void TNormalNameRules::Learn(std::u16string_view fileName, std::u16string_view extension,
                             std::u16string_view answer) {
    const std::u16string_view stem = fileName.substr(0, fileName.size() - extension.size());
    if (answer.empty()) // a failure, not a rule
        return;
    TRule rule = TRule::AskEach;
    if (answer == fileName)
        rule = TRule::Whole;
    else if (!extension.empty() && answer == stem)
        rule = TRule::WithoutExtension;
    FRules.emplace(std::u16string(extension), rule);
}
