// Makes the Wine prefix of a test run trust a certificate authority made for that run, and
// forget it again. Usage: rootstore add|remove <certificate.der>
// Works on the local machine's Root store in the registry: every user's Root store shows it,
// and the program reads its roots from there. Exits with 0 when the store holds the certificate
// (add) or no longer holds it (remove), 1 when the store or the file refused, 2 on wrong
// arguments.
#include <windows.h>
#include <wincrypt.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace {

struct TStore {
    HCERTSTORE Handle;
    ~TStore() {
        if (Handle)
            CertCloseStore(Handle, 0);
    }
};

struct TCertificate {
    PCCERT_CONTEXT Context;
    ~TCertificate() {
        if (Context)
            CertFreeCertificateContext(Context);
    }
};

// Wine 8 reports success for a delete through the system store (the collection of the user's
// and the machine's stores) but keeps the certificate; through the registry store it goes.
TStore OpenRoot() {
    return TStore{CertOpenStore(CERT_STORE_PROV_SYSTEM_REGISTRY_W, 0, 0,
                                CERT_SYSTEM_STORE_LOCAL_MACHINE, L"Root")};
}

// The store's own context of the certificate, or none.
TCertificate Find(HCERTSTORE store, const TCertificate& wanted) {
    return TCertificate{CertFindCertificateInStore(store, X509_ASN_ENCODING, 0, CERT_FIND_EXISTING,
                                                   wanted.Context, nullptr)};
}

bool Change(const std::wstring& verb, const TCertificate& certificate) {
    const TStore root = OpenRoot();
    if (!root.Handle)
        return false;
    if (verb == L"add")
        return CertAddCertificateContextToStore(root.Handle, certificate.Context,
                                                CERT_STORE_ADD_REPLACE_EXISTING, nullptr);
    TCertificate found = Find(root.Handle, certificate);
    // The delete frees the context it is given, whether it succeeds or not.
    return !found.Context || CertDeleteCertificateFromStore(std::exchange(found.Context, nullptr));
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3)
        return 2;
    const std::wstring verb = argv[1];
    if (verb != L"add" && verb != L"remove")
        return 2;
    std::ifstream file(std::filesystem::path(argv[2]), std::ios::binary);
    if (!file.is_open())
        return 1;
    const std::vector<char> der((std::istreambuf_iterator<char>(file)), {});
    const TCertificate certificate{CertCreateCertificateContext(
        X509_ASN_ENCODING, reinterpret_cast<const BYTE*>(der.data()), DWORD(der.size()))};
    if (!certificate.Context || !Change(verb, certificate))
        return 1;
    // Looked at again in a store opened anew: what the next program will see.
    const TStore root = OpenRoot();
    return root.Handle && (Find(root.Handle, certificate).Context != nullptr) == (verb == L"add")
               ? 0
               : 1;
}
