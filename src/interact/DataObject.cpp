#include "interact/DataObject.h"

#include <shlobj.h>

#include <cstring>
#include <new>

namespace {

// A block of exactly size bytes holding data; null when there is no memory.
HGLOBAL CopyToGlobal(const void* data, SIZE_T size) {
    TGlobalBlock block(GlobalAlloc(GMEM_MOVEABLE, size));
    if (!block)
        return nullptr;
    {
        TGlobalLock lock(block.Get());
        if (!lock.Data())
            return nullptr;
        std::memcpy(lock.Data(), data, size);
    }
    return block.Release();
}

} // namespace

bool TDataObject::Add(CLIPFORMAT format, const std::vector<uint8_t>& bytes) {
    TGlobalBlock block(CopyToGlobal(bytes.data(), bytes.size()));
    if (!block)
        return false;
    FEntries.push_back(TEntry{FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL},
                              std::move(block), bytes.size()});
    return true;
}

const TDataObject::TEntry* TDataObject::Find(const FORMATETC* format) const {
    if (!format || !(format->tymed & TYMED_HGLOBAL) || format->dwAspect != DVASPECT_CONTENT)
        return nullptr;
    for (const TEntry& entry : FEntries)
        if (entry.Format.cfFormat == format->cfFormat)
            return &entry;
    return nullptr;
}

HRESULT TDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
    if (!medium)
        return E_POINTER;
    const TEntry* entry = Find(format);
    if (!entry)
        return DV_E_FORMATETC;
    // A copy of the whole block: the taker frees it, and it is never shorter than it says.
    TGlobalLock source(entry->Block.Get());
    if (!source.Data())
        return E_OUTOFMEMORY;
    HGLOBAL copy = CopyToGlobal(source.Data(), entry->Size);
    if (!copy)
        return E_OUTOFMEMORY;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = copy;
    medium->pUnkForRelease = nullptr;
    return S_OK;
}

HRESULT TDataObject::GetDataHere(FORMATETC*, STGMEDIUM*) {
    return E_NOTIMPL;
}

HRESULT TDataObject::QueryGetData(FORMATETC* format) {
    return Find(format) ? S_OK : DV_E_FORMATETC;
}

HRESULT TDataObject::GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) {
    if (!out)
        return E_INVALIDARG;
    if (in)
        *out = *in;
    out->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

HRESULT TDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL) {
    return E_NOTIMPL;
}

HRESULT TDataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) {
    if (!formats)
        return E_POINTER;
    *formats = nullptr;
    if (direction != DATADIR_GET)
        return E_NOTIMPL;
    try {
        std::vector<FORMATETC> list;
        for (const TEntry& entry : FEntries)
            list.push_back(entry.Format);
        return SHCreateStdEnumFmtEtc(static_cast<UINT>(list.size()), list.data(), formats);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT TDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) {
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT TDataObject::DUnadvise(DWORD) {
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT TDataObject::EnumDAdvise(IEnumSTATDATA** connections) {
    if (connections)
        *connections = nullptr;
    return OLE_E_ADVISENOTSUPPORTED;
}
