#pragma once
#include <oaidl.h>
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

// In-process automation objects for the probe's tests. A FakeWorld owns every
// fake; fakes never delete themselves, so a reference released once too often
// is recorded instead of freeing memory still in use. After a test has let go
// of everything, every fake's count is back at 0.

class FakeWorld;

// Fills a VARIANT (initialised, empty) with a value, handing out a new
// reference for objects.
using ValueMaker = std::function<void(VARIANT&)>;
ValueMaker Text(const std::wstring& text);
ValueMaker Int32(LONG number);
ValueMaker UInt32(ULONG number);
ValueMaker Int16(SHORT number);
ValueMaker Real(double number);
ValueMaker Null();
ValueMaker Empty();
ValueMaker IntArray(std::vector<LONG> numbers);

class FakeUnknown {
  public:
    explicit FakeUnknown(std::string label) : label_(std::move(label)) {}
    virtual ~FakeUnknown() = default;
    const std::string& Label() const { return label_; }
    long References() const { return references_; }
    bool OverReleased() const { return overReleased_; }

  protected:
    ULONG AddReference() { return static_cast<ULONG>(++references_); }
    ULONG ReleaseReference() {
        if (references_ == 0) {
            overReleased_ = true;
            return 0;
        }
        return static_cast<ULONG>(--references_);
    }

  private:
    std::string label_;
    long references_ = 0;
    bool overReleased_ = false;
};

// An IDispatch whose members are looked up by name (case-insensitively, as
// automation does) and answered by handlers.
class FakeDispatch final : public IDispatch, public FakeUnknown {
  public:
    using Handler = std::function<HRESULT(const std::vector<VARIANT*>& arguments, VARIANT& result)>;
    struct Call {
        std::wstring member;
        WORD kind;
        std::vector<std::wstring> arguments;  // "<missing>" for an omitted optional one
    };

    using FakeUnknown::FakeUnknown;
    // kind: DISPATCH_PROPERTYGET or DISPATCH_METHOD; other kinds of call
    // fail as a missing member would.
    void AddMember(const std::wstring& name, WORD kind, Handler handler);
    void AddProperty(const std::wstring& name, ValueMaker value);
    const std::vector<Call>& Calls() const { return calls_; }
    int CallsOf(const std::wstring& member) const;
    // A new reference, for handing the fake to the code under test.
    IDispatch* NewReference() {
        AddRef();
        return this;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return AddReference(); }
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseReference(); }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD kind, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO*, UINT*) override;

  private:
    struct Member {
        std::wstring name;
        WORD kind;
        Handler handler;
    };
    std::vector<Member> members_;  // DISPID = index + 1
    std::vector<Call> calls_;
};

// An IEnumVARIANT over a list of values.
class FakeEnum final : public IEnumVARIANT, public FakeUnknown {
  public:
    FakeEnum(std::string label, std::vector<ValueMaker> items)
        : FakeUnknown(std::move(label)), items_(std::move(items)) {}
    bool supportsEnumVariant = true;
    int failNextAt = -1;  // Next fails with E_FAIL when it reaches this position
    int resets = 0;
    int nextCalls = 0;
    std::vector<IID> interfacesAsked;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return AddReference(); }
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseReference(); }
    HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* elements, ULONG* fetched) override;
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
    HRESULT STDMETHODCALLTYPE Reset() override;
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** out) override;

  private:
    std::vector<ValueMaker> items_;
    std::size_t position_ = 0;
};

class FakeWorld {
  public:
    FakeDispatch& NewDispatch(const std::string& label);
    FakeEnum& NewEnum(const std::string& label, std::vector<ValueMaker> items);
    // A collection whose "_NewEnum" makes a new FakeEnum over the items each
    // time; `configure` adjusts each enumerator as it is made.
    FakeDispatch& NewCollection(const std::string& label, std::vector<ValueMaker> items,
                                std::function<void(FakeEnum&)> configure = nullptr);
    // Every fake that still holds references or was released too often.
    std::vector<std::string> Unbalanced() const;
    const std::vector<FakeEnum*>& Enumerators() const { return enumerators_; }

  private:
    std::vector<std::unique_ptr<FakeUnknown>> fakes_;
    std::vector<FakeEnum*> enumerators_;
};

ValueMaker Object(FakeDispatch& object);
ValueMaker Object(FakeEnum& object);

// The shape of WMI's scripting objects: locator, services, result set,
// objects, property sets and properties.
struct FakeProperty {
    std::wstring name;
    ValueMaker value;
};

struct FakeWmiOptions {
    bool enumerableProperties = true;   // false: property sets behave as under Wine
    bool propertyNamesReadable = true;  // false: "Name" fails as under Wine
    HRESULT connectResult = S_OK;
    int failObjectNextAt = -1;
    int failPropertyNextAt = -1;
    // Runs on every read of a property's "Value".
    std::function<void()> onValueRead;
};

using Objects = std::vector<std::vector<FakeProperty>>;

class FakeWmi {
  public:
    // Every query returns these objects.
    FakeWmi(FakeWorld& world, Objects objects, FakeWmiOptions options = {});
    // Each query text returns its own objects; any other query fails.
    FakeWmi(FakeWorld& world, const std::map<std::wstring, Objects>& byQuery,
            FakeWmiOptions options = {});
    FakeDispatch& Locator() { return *locator_; }
    FakeDispatch& Services() { return *services_; }
    const std::vector<FakeDispatch*>& PropertySets() const { return propertySets_; }

  private:
    FakeDispatch* locator_;
    FakeDispatch* services_;
    std::vector<FakeDispatch*> propertySets_;
};
