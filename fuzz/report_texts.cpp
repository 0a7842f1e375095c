// The error report is put together from an exception's class and message (which may carry any
// file name) and its addresses, and goes out as UTF-8 where the code page has no charset name.
// The text must keep every piece whole, and the UTF-8 must decode to it, each lone surrogate
// half standing as U+FFFD.
#include "FuzzCheck.h"
#include "FuzzInput.h"

#include "base/BaseDefs.h"
#include "services/ReportTexts.h"

#include <cstdint>
#include <optional>

namespace {

// A strict decoder: none for bytes that are not shortest-form UTF-8 of scalar values.
std::optional<std::u16string> DecodeUtf8(const std::string& bytes) {
    std::u16string text;
    for (size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const int extra = lead < 0x80   ? 0
                          : lead < 0xC0 ? -1
                          : lead < 0xE0 ? 1
                          : lead < 0xF0 ? 2
                                        : 3;
        if (extra < 0 || lead > 0xF4 || i + size_t(extra) >= bytes.size())
            return std::nullopt;
        uint32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            c = (c << 6) | (next & 0x3F);
        }
        const uint32_t least[] = {0, 0x80, 0x800, 0x10000};
        if (c < least[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            return std::nullopt;
        if (c >= 0x10000) {
            text.push_back(char16_t(0xD800 + ((c - 0x10000) >> 10)));
            text.push_back(char16_t(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            text.push_back(char16_t(c));
        }
        i += size_t(extra) + 1;
    }
    return text;
}

// The text with every surrogate half that is not part of a pair replaced.
std::u16string WithLoneHalvesReplaced(std::u16string text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const bool lead = text[i] >= 0xD800 && text[i] <= 0xDBFF;
        const bool trail = text[i] >= 0xDC00 && text[i] <= 0xDFFF;
        if (lead && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            ++i;
        else if (lead || trail)
            text[i] = 0xFFFD;
    }
    return text;
}

std::u16string AddressLines(const TExceptionFacts& facts) {
    std::u16string lines = FormatCodeAddress(facts.Address);
    for (const uint64_t frame : facts.Frames)
        lines += u"\r\n" + FormatCodeAddress(frame);
    return lines;
}

uint64_t ParseHex(std::u16string_view digits) {
    uint64_t value = 0;
    for (const char16_t d : digits) {
        FUZZ_CHECK((d >= u'0' && d <= u'9') || (d >= u'A' && d <= u'F'));
        value = value * 16 + uint64_t(d <= u'9' ? d - u'0' : d - u'A' + 10);
    }
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TFuzzInput input(data, size);
    const bool russian = input.Flag();
    const uint32_t codePage = input.UInt32();
    const uint32_t step = input.UInt32();
    TExceptionFacts facts;
    facts.Address = input.UInt64();
    facts.Frames.resize(input.Byte() % 32);
    for (uint64_t& frame : facts.Frames)
        frame = input.UInt64();
    facts.ClassName = input.Text();
    facts.Message = input.RestAsText();

    const std::u16string report = BuildExceptionReport(&facts);
    const std::u16string expected = u"\r\n\r\nException class: " + facts.ClassName +
                                    u"\r\nMessage: " + facts.Message + u"\r\n" +
                                    AddressLines(facts);
    FUZZ_CHECK(report == expected);
    const std::u16string address = FormatCodeAddress(facts.Address);
    FUZZ_CHECK(address.size() == 16 && ParseHex(address) == facts.Address);

    // The dialog's text: the message, the report and the questions, as the mail carries it.
    const std::u16string text = facts.Message + report + ErrorReportQuestions(russian);
    const auto decoded = DecodeUtf8(Utf16ToUtf8(text));
    FUZZ_CHECK(decoded && *decoded == WithLoneHalvesReplaced(text));
    FUZZ_CHECK(DecodeUtf8(Utf16ToUtf8(BugReportQuestions(russian))) == BugReportQuestions(russian));

    for (const char c : MailCharsetOf(codePage))
        FUZZ_CHECK((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_');
    const std::u16string title = SendingTitle(facts.ClassName, step);
    const size_t dots = title.size() - facts.ClassName.size();
    FUZZ_CHECK(title.starts_with(facts.ClassName) && dots >= 1 && dots <= 3 &&
               title.find_first_not_of(u'.', facts.ClassName.size()) == std::u16string::npos);
    return 0;
}
