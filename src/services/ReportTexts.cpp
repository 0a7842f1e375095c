#include "services/ReportTexts.h"

#include <array>
#include <utility>

std::u16string FormatCodeAddress(uint64_t address) {
    static constexpr char16_t Digits[] = u"0123456789ABCDEF";
    std::u16string text(16, u'0');
    for (int i = 15; i >= 0; --i, address >>= 4)
        text[static_cast<size_t>(i)] = Digits[address & 0xF];
    return text;
}

namespace {

std::u16string FaultKind(uint32_t code) {
    switch (code) {
    case 0xC0000005:
        return u"Access violation";
    case 0xC0000006:
        return u"In-page error";
    case 0xC000001D:
        return u"Illegal instruction";
    case 0xC000008C:
        return u"Array bounds exceeded";
    case 0xC000008E:
        return u"Floating-point division by zero";
    case 0xC0000094:
        return u"Integer division by zero";
    case 0xC0000095:
        return u"Integer overflow";
    case 0xC0000096:
        return u"Privileged instruction";
    case 0xC00000FD:
        return u"Stack overflow";
    case 0x80000002:
        return u"Datatype misalignment";
    }
    std::u16string hex = FormatCodeAddress(code).substr(8);
    return u"Processor fault " + hex;
}

std::u16string AccessName(uint32_t access) {
    switch (access) {
    case 0:
        return u"Read";
    case 1:
        return u"Write";
    case 8:
        return u"Execution";
    }
    return u"Access";
}

} // namespace

TExceptionFacts FaultFacts(const TFault& fault) {
    TExceptionFacts facts;
    facts.ClassName = FaultKind(fault.Code);
    facts.Message = facts.ClassName + u" at address " + FormatCodeAddress(fault.Address);
    if (!fault.Module.empty())
        facts.Message += u" in module '" + fault.Module + u"'";
    facts.Message += u".";
    if (fault.HasAccess)
        facts.Message += u" " + AccessName(fault.Access) + u" of address " +
                         FormatCodeAddress(fault.Target) + u".";
    facts.Address = fault.Address;
    facts.Frames = fault.Frames;
    return facts;
}

std::u16string BuildExceptionReport(const TExceptionFacts* facts) {
    std::u16string report = u"\r\n\r\n";
    if (!facts)
        return report;
    report += u"Exception class: " + facts->ClassName + u"\r\n";
    report += u"Message: " + facts->Message + u"\r\n";
    report += FormatCodeAddress(facts->Address);
    for (uint64_t frame : facts->Frames)
        report += u"\r\n" + FormatCodeAddress(frame);
    return report;
}

std::u16string ErrorReportQuestions(bool russian) {
    if (russian)
        return u"\r\n\r\n\r\n"
               u"Помогите нам комментариями(опционально):\r\n"
               u"* Последнее действие?\r\n"
               u"* Вы можете воспроизвести ошибку (как именно)?\r\n";
    return u"\r\n\r\n\r\n"
           u"Help us to fix it faster with comments:\r\n"
           u"* Last action performed?\r\n"
           u"* Can you reproduce the error (how)?\r\n";
}

std::u16string BugReportQuestions(bool russian) {
    struct TQuestions {
        const char16_t* Name;
        const char16_t* Mail;
        const char16_t* What;
        const char16_t* Actions;
        const char16_t* Comments;
        const char16_t* Thanks;
    };
    static constexpr TQuestions English{u"# Your name or nick:",
                                        u"# Contact e-mail(optional):",
                                        u"# What was expected and what happened really?",
                                        u"# What actions cause the error?",
                                        u"# Additional comments?",
                                        u"Thank you for report!"};
    static constexpr TQuestions Russian{u"# Ваше имя/ник:",
                                        u"# Контактный e-mail(опционально):",
                                        u"# Что произошло?",
                                        u"# Какие действия вызвали ошибку?",
                                        u"# Дополнительные комментарии?",
                                        u"Спасибо за помощь!"};
    const TQuestions& q = russian ? Russian : English;
    return std::u16string(u"\r\n") + std::u16string(30, u'=') + u"\r\n\r\n\r\n" + q.Name +
           u"\r\n\r\n" + q.Mail + u"\r\n\r\n" + q.What + u"\r\n\r\n" + q.Actions + u"\r\n\r\n" +
           q.Comments + u"\r\n\r\n" + q.Thanks;
}

std::string MailCharsetOf(uint32_t codePage) {
    if (codePage == 874 || (codePage >= 1250 && codePage <= 1258))
        return "windows-" + std::to_string(codePage);
    if (codePage >= 28591 && codePage <= 28599)
        return "iso-8859-" + std::to_string(codePage - 28590);
    static constexpr std::array<std::pair<uint32_t, const char*>, 10> Named{{
        {437, "ibm437"},
        {866, "ibm866"},
        {932, "shift_jis"},
        {936, "gbk"},
        {949, "ks_c_5601-1987"},
        {950, "big5"},
        {20866, "koi8-r"},
        {21866, "koi8-u"},
        {28605, "iso-8859-15"},
        {65001, "utf-8"},
    }};
    for (const auto& [page, name] : Named)
        if (page == codePage)
            return name;
    return {};
}

std::u16string SendingTitle(const std::u16string& sending, uint32_t step) {
    return sending + std::u16string(step % 3 + 1, u'.');
}
