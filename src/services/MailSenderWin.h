#pragma once
// Mails a report to the reports mailbox with libcurl's SMTP client.
#include <string>

// Once on the main thread before the first send: the library's global set-up.
void PrepareMail();

// Subject "Error report", from and to the reports mailbox: the text (bytes in charset) as the
// body and, when the path names an existing file, that file attached. Logs in only after
// STARTTLS to a server whose certificate chains to a root this machine trusts (a build with
// MailPlainLogin also logs in plainly where the server offers no STARTTLS); gives up after the
// connect and total time-outs. True when the server took the mail; never throws.
bool SendReport(const std::string& text, const std::string& charset,
                const std::u16string& attachment);
