#include "probe/com_enumerator.h"

#include "probe/automation.h"
#include "probe/unknown_ref.h"

bool ComEnumerator::Open(IDispatch* collection) {
    Close();
    // The temporary reference to "_NewEnum" goes with `newEnum` on every
    // return; the enumerator keeps only what QueryInterface gave it.
    const Variant newEnum = GetAutomationProperty(collection, L"_NewEnum");
    const ComPtr<IUnknown> enumObject = VariantToUnknown(newEnum.Raw());
    if (!enumObject) return false;
    UnknownRef reference;
    if (!reference.Attach(enumObject.Get())) return false;
    if (reference.QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(enumerator_.Out())) !=
        S_OK) {
        // A failed QueryInterface hands out no reference, whatever it wrote.
        enumerator_.Detach();
        return false;
    }
    if (!enumerator_) return false;
    ResetRaw();
    return true;
}

bool ComEnumerator::Next(Variant& element) {
    if (!IsOpen()) return false;
    element.AssignInt32(0);
    ULONG fetched = 0;
    NextRaw(1, &element.Raw(), &fetched);
    return fetched == 1;
}

bool ComEnumerator::Reset() {
    return IsOpen() && ResetRaw() == S_OK;
}

bool ComEnumerator::Skip(ULONG count) {
    return IsOpen() && SkipRaw(count) == S_OK;
}

ULONG ComEnumerator::Close() {
    return enumerator_.ReleaseNow();
}

HRESULT ComEnumerator::NextRaw(ULONG count, VARIANT* elements, ULONG* fetched) {
    *fetched = 0;
    return enumerator_->Next(count, elements, fetched);
}

HRESULT ComEnumerator::SkipRaw(ULONG count) {
    return enumerator_->Skip(count);
}

HRESULT ComEnumerator::ResetRaw() {
    return enumerator_->Reset();
}
