#pragma once
// The texts of the error and bug reports: the exception's lines, the questions put to the user,
// and the charset a report's bytes are declared in.
#include <cstdint>
#include <string>
#include <vector>

// What is known of an escaped exception.
struct TExceptionFacts {
    std::u16string ClassName;
    std::u16string Message;
    // Where it was raised, 0 when unknown; then the return addresses of its back trace.
    uint64_t Address = 0;
    std::vector<uint64_t> Frames;
};

// What is known of a processor fault: its status code, where it happened and, for an access
// violation, the access (0 read, 1 write, 8 execute) and the address it went to.
struct TFault {
    uint32_t Code = 0;
    uint64_t Address = 0;
    std::u16string Module; // the file name of the module holding Address, empty when none does
    bool HasAccess = false;
    uint32_t Access = 0;
    uint64_t Target = 0;
    std::vector<uint64_t> Frames;
};

// A fault as the report shows an exception: its kind as the class, and a message naming the
// address, the module and the access.
TExceptionFacts FaultFacts(const TFault& fault);

// Two line breaks; for an exception its class and message lines, then its address and one
// line per frame of its back trace.
std::u16string BuildExceptionReport(const TExceptionFacts* facts);

// The address as a report line shows it: 16 hexadecimal digits.
std::u16string FormatCodeAddress(uint64_t address);

// Appended to the error report: the questions to the user.
std::u16string ErrorReportQuestions(bool russian);
// Appended to the system information in a new bug report: a frame of questions.
std::u16string BugReportQuestions(bool russian);

// The MIME charset name of a Windows code page; empty for one without a known name.
std::string MailCharsetOf(uint32_t codePage);

// The dialog's title while a report is sent: "Sending" and one, two or three dots in turn.
std::u16string SendingTitle(const std::u16string& sending, uint32_t step);
