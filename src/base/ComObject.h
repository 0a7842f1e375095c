#pragma once
// The reference counting and interface lookup every COM object of the program shares: an
// object starts with one reference, held by its creator, and deletes itself at the last release.
#include <windows.h>
#include <unknwn.h>

#include <atomic>

template <class Interface> class TComObject : public Interface {
public:
    TComObject() = default;
    TComObject(const TComObject&) = delete;
    TComObject& operator=(const TComObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == __uuidof(Interface)) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++FReferences; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --FReferences;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    virtual ~TComObject() = default;

private:
    std::atomic<ULONG> FReferences{1};
};
