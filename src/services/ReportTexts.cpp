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
