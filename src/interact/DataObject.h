#pragma once
// The program's data object for the clipboard and for drags: global memory blocks by clipboard
// format, each handed out as a copy.
#include <windows.h>
#include <objidl.h>

#include <cstdint>
#include <vector>

#include "base/ComObject.h"
#include "base/Handles.h"

class TDataObject final : public TComObject<IDataObject> {
public:
    TDataObject() = default;
    TDataObject(const TDataObject&) = delete;
    TDataObject& operator=(const TDataObject&) = delete;

    // Keeps a copy of the bytes under the format; false when there is no memory for it.
    bool Add(CLIPFORMAT format, const std::vector<uint8_t>& bytes);

    // IDataObject
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override;
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override;
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override;
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override;

private:
    struct TEntry {
        FORMATETC Format;
        TGlobalBlock Block;
        SIZE_T Size;
    };

    ~TDataObject() override = default;
    // The entry for a format the caller may take as an HGLOBAL, or nullptr.
    const TEntry* Find(const FORMATETC* format) const;

    std::vector<TEntry> FEntries;
};
