#include "services/MailSenderWin.h"

#include <windows.h>
#include <wincrypt.h>

#include <curl/curl.h>

#include <initializer_list>
#include <memory>
#include <optional>
#include <vector>

#include "base/BaseDefs.h"
#include "base/BaseDefsWin.h"
#include "base/Handles.h"
#include "base/WinString.h"
#include "services/BuildSettings.h"
#include "services/WStrUtils.h"

namespace {

constexpr long ConnectTimeoutSeconds = 15;
constexpr long TotalTimeoutSeconds = 60;
constexpr const char* Subject = "Error report";

struct TCurlCleanup {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct TListCleanup {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
struct TMimeCleanup {
    void operator()(curl_mime* mime) const { curl_mime_free(mime); }
};
struct TStoreClose {
    void operator()(HCERTSTORE store) const { CertCloseStore(store, 0); }
};
using TCurl = std::unique_ptr<CURL, TCurlCleanup>;
using TList = std::unique_ptr<curl_slist, TListCleanup>;
using TMime = std::unique_ptr<curl_mime, TMimeCleanup>;
using TCertStore = std::unique_ptr<void, TStoreClose>;

// Appends to a list; the list stays whole (and owned) when the append fails.
bool Append(TList& list, const std::string& line) {
    curl_slist* longer = curl_slist_append(list.get(), line.c_str());
    if (!longer)
        return false;
    (void)list.release();
    list.reset(longer);
    return true;
}

// The whole file, read by its wide name; none when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::u16string& path) {
    TFileHandle file(CreateFileW(AsWide(path), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart > 0x7FFFFFFF)
        return std::nullopt;
    std::string bytes(size_t(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.Get(), bytes.data(), DWORD(bytes.size()), &read, nullptr) ||
         read != bytes.size()))
        return std::nullopt;
    return bytes;
}

bool AddAttachment(curl_mime* mime, const std::u16string& path) {
    if (path.empty() || GetPathKind(path) != TPathKind::File)
        return true; // a missing file is left out; the report still goes
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes)
        return true;
    curl_mimepart* part = curl_mime_addpart(mime);
    return part && curl_mime_data(part, bytes->data(), bytes->size()) == CURLE_OK &&
           curl_mime_filename(part, Utf16ToUtf8(ExtractLastComponent(path)).c_str()) == CURLE_OK &&
           curl_mime_type(part, "application/octet-stream") == CURLE_OK &&
           curl_mime_encoder(part, "base64") == CURLE_OK;
}

// The roots this machine trusts (the user's and the machine's), as PEM text. Wine's Schannel
// takes whatever certificate a server shows, however it was issued; given these roots, curl
// checks the chain and the name itself, on Windows as under Wine, before it logs in. A root that
// Windows would fetch on first use is not fetched: the report server's root must be installed.
std::string TrustedRootsPem() {
    std::string pem;
    for (const wchar_t* name : {L"Root", L"AuthRoot"}) {
        // Not "open existing": a fresh Wine prefix has no user's Root key until it is opened.
        const TCertStore store(
            CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0,
                          CERT_SYSTEM_STORE_CURRENT_USER | CERT_STORE_READONLY_FLAG, name));
        if (!store)
            continue;
        // Each call frees the context it is given; the last returns null with nothing held.
        PCCERT_CONTEXT certificate = nullptr;
        while ((certificate = CertEnumCertificatesInStore(store.get(), certificate))) {
            DWORD length = 0;
            if (!CryptBinaryToStringA(certificate->pbCertEncoded, certificate->cbCertEncoded,
                                      CRYPT_STRING_BASE64HEADER, nullptr, &length))
                continue;
            std::string block(length, '\0');
            if (CryptBinaryToStringA(certificate->pbCertEncoded, certificate->cbCertEncoded,
                                     CRYPT_STRING_BASE64HEADER, block.data(), &length))
                pem.append(block.data(), length);
        }
    }
    return pem;
}

bool Send(const std::string& text, const std::string& charset, const std::u16string& attachment) {
    if (!*MailHost || !*MailUser)
        return false;
    TCurl curl(curl_easy_init());
    if (!curl)
        return false;
    CURL* c = curl.get();
    const std::string url = std::string("smtp://") + MailHost + ":" + std::to_string(MailPort);
    const std::string mailbox = std::string("<") + MailUser + ">";
    TList recipients;
    TList headers;
    if (!Append(recipients, mailbox) || !Append(headers, std::string("Subject: ") + Subject) ||
        !Append(headers, std::string("From: ") + mailbox) ||
        !Append(headers, std::string("To: ") + mailbox))
        return false;

    TMime mime(curl_mime_init(c));
    curl_mimepart* body = mime ? curl_mime_addpart(mime.get()) : nullptr;
    if (!body || curl_mime_data(body, text.data(), text.size()) != CURLE_OK ||
        curl_mime_type(body, ("text/plain; charset=" + charset).c_str()) != CURLE_OK ||
        curl_mime_encoder(body, "quoted-printable") != CURLE_OK ||
        !AddAttachment(mime.get(), attachment))
        return false;

    // Without roots curl would leave the server's certificate to Schannel: under Wine, unchecked.
    std::string roots = TrustedRootsPem();
    if (roots.empty())
        return false;
    curl_blob rootsBlob{roots.data(), roots.size(), CURL_BLOB_COPY};

    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_USERNAME, MailUser);
    curl_easy_setopt(c, CURLOPT_PASSWORD, MailPassword);
    // The login and the report go only through TLS (STARTTLS); a build for a server known to
    // offer none may allow the plain login, and still upgrades where the server offers it.
    curl_easy_setopt(c, CURLOPT_USE_SSL, long(MailPlainLogin ? CURLUSESSL_TRY : CURLUSESSL_ALL));
    curl_easy_setopt(c, CURLOPT_CAINFO_BLOB, &rootsBlob);
    curl_easy_setopt(c, CURLOPT_MAIL_FROM, mailbox.c_str());
    curl_easy_setopt(c, CURLOPT_MAIL_RCPT, recipients.get());
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(c, CURLOPT_MIMEPOST, mime.get());
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, ConnectTimeoutSeconds);
    curl_easy_setopt(c, CURLOPT_TIMEOUT, TotalTimeoutSeconds);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    return curl_easy_perform(c) == CURLE_OK;
}

} // namespace

void PrepareMail() {
    static const CURLcode ready = curl_global_init(CURL_GLOBAL_DEFAULT);
    (void)ready;
}

bool SendReport(const std::string& text, const std::string& charset,
                const std::u16string& attachment) {
    try {
        return Send(text, charset, attachment);
    } catch (...) {
        return false;
    }
}
