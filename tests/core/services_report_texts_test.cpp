#include "services/ReportTexts.h"

#include <gtest/gtest.h>

TEST(ReportTexts, ExceptionReportLines) {
    EXPECT_EQ(BuildExceptionReport(nullptr), u"\r\n\r\n");

    TExceptionFacts facts;
    facts.ClassName = u"EGMException";
    facts.Message = u"Too many folders";
    facts.Address = 0x140001A2Bu;
    facts.Frames = {0x7FF612345678u, 0x10u};
    EXPECT_EQ(BuildExceptionReport(&facts), u"\r\n\r\n"
                                            u"Exception class: EGMException\r\n"
                                            u"Message: Too many folders\r\n"
                                            u"0000000140001A2B\r\n"
                                            u"00007FF612345678\r\n"
                                            u"0000000000000010");
    // Without a back trace: the address line alone.
    facts.Frames.clear();
    EXPECT_EQ(BuildExceptionReport(&facts).substr(BuildExceptionReport(&facts).rfind(u'\n') + 1),
              u"0000000140001A2B");
    EXPECT_EQ(FormatCodeAddress(~0ull), u"FFFFFFFFFFFFFFFF");
}

TEST(ReportTexts, FaultsReadAsExceptions) {
    TFault fault;
    fault.Code = 0xC0000005;
    fault.Address = 0x7FF6000012A0u;
    fault.Module = u"glimmera.exe";
    fault.HasAccess = true;
    fault.Access = 1;
    fault.Frames = {0x7FF6000012A0u, 0x7FF600003000u};
    TExceptionFacts facts = FaultFacts(fault);
    EXPECT_EQ(facts.ClassName, u"Access violation");
    EXPECT_EQ(facts.Message, u"Access violation at address 00007FF6000012A0 in module "
                             u"'glimmera.exe'. Write of address 0000000000000000.");
    EXPECT_EQ(facts.Address, fault.Address);
    EXPECT_EQ(facts.Frames, fault.Frames);

    // Outside every module, and a fault without an access.
    fault = TFault{};
    fault.Code = 0xC0000094;
    fault.Address = 0x10;
    EXPECT_EQ(FaultFacts(fault).Message, u"Integer division by zero at address 0000000000000010.");
    fault.Code = 0xC0000420;
    EXPECT_EQ(FaultFacts(fault).ClassName, u"Processor fault C0000420");
}

TEST(ReportTexts, QuestionsInBothLanguages) {
    EXPECT_EQ(ErrorReportQuestions(false),
              u"\r\n\r\n\r\nHelp us to fix it faster with comments:\r\n"
              u"* Last action performed?\r\n"
              u"* Can you reproduce the error (how)?\r\n");
    EXPECT_EQ(ErrorReportQuestions(true),
              u"\r\n\r\n\r\n\u041f\u043e\u043c\u043e\u0433\u0438\u0442\u0435 "
              u"\u043d\u0430\u043c "
              u"\u043a\u043e\u043c\u043c\u0435\u043d\u0442\u0430\u0440\u0438\u044f\u043c\u0438("
              u"\u043e\u043f\u0446\u0438\u043e\u043d\u0430\u043b\u044c\u043d\u043e):\r\n"
              u"* \u041f\u043e\u0441\u043b\u0435\u0434\u043d\u0435\u0435 "
              u"\u0434\u0435\u0439\u0441\u0442\u0432\u0438\u0435?\r\n"
              u"* \u0412\u044b \u043c\u043e\u0436\u0435\u0442\u0435 "
              u"\u0432\u043e\u0441\u043f\u0440\u043e\u0438\u0437\u0432\u0435\u0441\u0442\u0438 "
              u"\u043e\u0448\u0438\u0431\u043a\u0443 (\u043a\u0430\u043a "
              u"\u0438\u043c\u0435\u043d\u043d\u043e)?\r\n");

    const std::u16string english = BugReportQuestions(false);
    EXPECT_EQ(english, u"\r\n==============================\r\n\r\n\r\n"
                       u"# Your name or nick:\r\n\r\n"
                       u"# Contact e-mail(optional):\r\n\r\n"
                       u"# What was expected and what happened really?\r\n\r\n"
                       u"# What actions cause the error?\r\n\r\n"
                       u"# Additional comments?\r\n\r\n"
                       u"Thank you for report!");
    const std::u16string russian = BugReportQuestions(true);
    // The same frame: the rule, the blank lines and the question marks in the same places.
    EXPECT_EQ(russian.substr(0, 38), english.substr(0, 38));
    EXPECT_NE(russian.find(u"# \u0412\u0430\u0448\u0435 \u0438\u043c\u044f/\u043d\u0438\u043a:"
                           u"\r\n\r\n# \u041a\u043e\u043d\u0442\u0430\u043a\u0442\u043d\u044b"
                           u"\u0439 e-mail"),
              std::u16string::npos);
    EXPECT_EQ(russian.substr(russian.size() - 22),
              u"\r\n\r\n\u0421\u043f\u0430\u0441\u0438\u0431\u043e \u0437\u0430 "
              u"\u043f\u043e\u043c\u043e\u0449\u044c!");
}

TEST(ReportTexts, CharsetOfTheCodePageTheTextIsIn) {
    EXPECT_EQ(MailCharsetOf(1251), "windows-1251");
    EXPECT_EQ(MailCharsetOf(1252), "windows-1252");
    EXPECT_EQ(MailCharsetOf(874), "windows-874");
    EXPECT_EQ(MailCharsetOf(28595), "iso-8859-5");
    EXPECT_EQ(MailCharsetOf(932), "shift_jis");
    EXPECT_EQ(MailCharsetOf(65001), "utf-8");
    // No name: the sender falls back to UTF-8 text rather than declaring a wrong charset.
    EXPECT_EQ(MailCharsetOf(1259), "");
    EXPECT_EQ(MailCharsetOf(0), "");
}

TEST(ReportTexts, SendingTitleCountsOneTwoThreeDots) {
    EXPECT_EQ(SendingTitle(u"Sending", 0), u"Sending.");
    EXPECT_EQ(SendingTitle(u"Sending", 1), u"Sending..");
    EXPECT_EQ(SendingTitle(u"Sending", 2), u"Sending...");
    EXPECT_EQ(SendingTitle(u"Sending", 3), u"Sending.");
}
