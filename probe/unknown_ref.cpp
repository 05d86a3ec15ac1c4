#include "probe/unknown_ref.h"

bool UnknownRef::Attach(IUnknown* borrowed) {
    pointer_ = borrowed;
    return borrowed != nullptr;
}

HRESULT UnknownRef::QueryInterface(const IID& iid, void** out) {
    if (!pointer_) return E_POINTER;
    return pointer_->QueryInterface(iid, out);
}
