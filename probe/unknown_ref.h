#pragma once
#include <unknwn.h>

// Borrows an interface pointer only to ask it for another interface: it adds
// no reference and releases none.
class UnknownRef {
  public:
    UnknownRef() = default;
    UnknownRef(const UnknownRef&) = delete;
    UnknownRef& operator=(const UnknownRef&) = delete;
    virtual ~UnknownRef() = default;

    // False for a null pointer.
    virtual bool Attach(IUnknown* borrowed);
    virtual HRESULT QueryInterface(const IID& iid, void** out);

  private:
    IUnknown* pointer_ = nullptr;
};
