#pragma once
#include <oaidl.h>
#include <windows.h>

#include "probe/com_owners.h"

// Walks an automation collection through its "_NewEnum" enumerator, one
// element at a time. Open while it holds an enumerator.
class ComEnumerator {
  public:
    ComEnumerator() = default;
    ComEnumerator(const ComEnumerator&) = delete;
    ComEnumerator& operator=(const ComEnumerator&) = delete;
    virtual ~ComEnumerator() { Close(); }

    // Closes first; false when the collection has no enumerator.
    virtual bool Open(IDispatch* collection);
    // True exactly when one element was fetched into `element`; at the end the
    // variant holds the integer 0.
    virtual bool Next(Variant& element);
    virtual bool Reset();
    virtual bool Skip(ULONG count);
    // What Release returned, or 0 when not open.
    virtual ULONG Close();
    // The raw operations require an open enumerator.
    virtual HRESULT NextRaw(ULONG count, VARIANT* elements, ULONG* fetched);
    virtual HRESULT SkipRaw(ULONG count);
    virtual HRESULT ResetRaw();

    bool IsOpen() const { return static_cast<bool>(enumerator_); }

  private:
    ComPtr<IEnumVARIANT> enumerator_;
};
