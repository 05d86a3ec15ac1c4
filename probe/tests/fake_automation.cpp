#include "probe/tests/fake_automation.h"

#include <cwctype>

namespace {

constexpr HRESULT kWbemNotFound = static_cast<HRESULT>(0x80041002);
constexpr HRESULT kWbemInvalidQuery = static_cast<HRESULT>(0x80041017);
const std::wstring kAnyQuery = L"*";

std::string WideToNarrowForLabel(const std::wstring& text) {
    std::string narrow;
    for (wchar_t c : text) narrow += c < 0x80 ? static_cast<char>(c) : '?';
    return narrow;
}

bool SameNameIgnoringCase(const std::wstring& a, const wchar_t* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    }
    return i == a.size() && !b[i];
}

std::wstring DescribeArgument(const VARIANT& argument) {
    if (argument.vt == VT_ERROR && argument.scode == DISP_E_PARAMNOTFOUND) return L"<missing>";
    if (argument.vt == VT_BSTR)
        return std::wstring(argument.bstrVal, SysStringLen(argument.bstrVal));
    return L"<other>";
}

}  // namespace

ValueMaker Text(const std::wstring& text) {
    return [text](VARIANT& v) {
        v.vt = VT_BSTR;
        v.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    };
}
ValueMaker Int32(LONG number) {
    return [number](VARIANT& v) {
        v.vt = VT_I4;
        v.lVal = number;
    };
}
ValueMaker UInt32(ULONG number) {
    return [number](VARIANT& v) {
        v.vt = VT_UI4;
        v.ulVal = number;
    };
}
ValueMaker Int16(SHORT number) {
    return [number](VARIANT& v) {
        v.vt = VT_I2;
        v.iVal = number;
    };
}
ValueMaker Real(double number) {
    return [number](VARIANT& v) {
        v.vt = VT_R8;
        v.dblVal = number;
    };
}
ValueMaker Null() {
    return [](VARIANT& v) { v.vt = VT_NULL; };
}
ValueMaker Empty() {
    return [](VARIANT& v) { v.vt = VT_EMPTY; };
}
ValueMaker IntArray(std::vector<LONG> numbers) {
    return [numbers](VARIANT& v) {
        SAFEARRAY* array = SafeArrayCreateVector(VT_I4, 0, static_cast<ULONG>(numbers.size()));
        for (LONG i = 0; i < static_cast<LONG>(numbers.size()); ++i) {
            LONG number = numbers[static_cast<std::size_t>(i)];
            SafeArrayPutElement(array, &i, &number);
        }
        v.vt = VT_ARRAY | VT_I4;
        v.parray = array;
    };
}
ValueMaker Object(FakeDispatch& object) {
    return [&object](VARIANT& v) {
        v.vt = VT_DISPATCH;
        v.pdispVal = object.NewReference();
    };
}
ValueMaker Object(FakeEnum& object) {
    return [&object](VARIANT& v) {
        object.AddRef();
        v.vt = VT_UNKNOWN;
        v.punkVal = &object;
    };
}

void FakeDispatch::AddMember(const std::wstring& name, WORD kind, Handler handler) {
    members_.push_back({name, kind, std::move(handler)});
}

void FakeDispatch::AddProperty(const std::wstring& name, ValueMaker value) {
    AddMember(name, DISPATCH_PROPERTYGET, [value](const std::vector<VARIANT*>&, VARIANT& result) {
        value(result);
        return S_OK;
    });
}

int FakeDispatch::CallsOf(const std::wstring& member) const {
    int count = 0;
    for (const Call& call : calls_) count += call.member == member;
    return count;
}

HRESULT FakeDispatch::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

HRESULT FakeDispatch::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return S_OK;
}

HRESULT FakeDispatch::GetTypeInfo(UINT, LCID, ITypeInfo**) {
    return E_NOTIMPL;
}

HRESULT FakeDispatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (count != 1) return E_INVALIDARG;
    for (std::size_t i = 0; i < members_.size(); ++i) {
        if (SameNameIgnoringCase(members_[i].name, names[0])) {
            ids[0] = static_cast<DISPID>(i + 1);
            return S_OK;
        }
    }
    ids[0] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

HRESULT FakeDispatch::Invoke(DISPID id, REFIID, LCID, WORD kind, DISPPARAMS* parameters,
                             VARIANT* result, EXCEPINFO*, UINT*) {
    Call call{L"", kind, {}};
    std::vector<VARIANT*> arguments;
    for (UINT i = parameters ? parameters->cArgs : 0; i-- > 0;) {
        arguments.push_back(&parameters->rgvarg[i]);
        call.arguments.push_back(DescribeArgument(parameters->rgvarg[i]));
    }
    if (id < 1 || static_cast<std::size_t>(id) > members_.size()) {
        call.member = L"<dispid " + std::to_wstring(id) + L">";
        calls_.push_back(std::move(call));
        return DISP_E_MEMBERNOTFOUND;
    }
    const Member& member = members_[static_cast<std::size_t>(id - 1)];
    call.member = member.name;
    calls_.push_back(std::move(call));
    if (!(kind & member.kind)) return DISP_E_MEMBERNOTFOUND;
    VARIANT value;
    VariantInit(&value);
    const HRESULT hr = member.handler(arguments, value);
    if (result) {
        *result = value;
    } else {
        VariantClear(&value);
    }
    return hr;
}

HRESULT FakeEnum::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    interfacesAsked.push_back(iid);
    if (IsEqualIID(iid, IID_IUnknown) ||
        (supportsEnumVariant && IsEqualIID(iid, IID_IEnumVARIANT))) {
        *out = static_cast<IEnumVARIANT*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

HRESULT FakeEnum::Next(ULONG count, VARIANT* elements, ULONG* fetched) {
    ++nextCalls;
    ULONG done = 0;
    for (; done < count && position_ < items_.size(); ++done, ++position_) {
        if (static_cast<int>(position_) == failNextAt) {
            if (fetched) *fetched = 0;
            return E_FAIL;
        }
        VariantInit(&elements[done]);
        items_[position_](elements[done]);
    }
    if (fetched) *fetched = done;
    return done == count ? S_OK : S_FALSE;
}

HRESULT FakeEnum::Skip(ULONG count) {
    const std::size_t left = items_.size() - position_;
    if (count > left) {
        position_ = items_.size();
        return S_FALSE;
    }
    position_ += count;
    return S_OK;
}

HRESULT FakeEnum::Reset() {
    ++resets;
    position_ = 0;
    return S_OK;
}

HRESULT FakeEnum::Clone(IEnumVARIANT**) {
    return E_NOTIMPL;
}

FakeDispatch& FakeWorld::NewDispatch(const std::string& label) {
    auto fake = std::make_unique<FakeDispatch>(label);
    FakeDispatch& result = *fake;
    fakes_.push_back(std::move(fake));
    return result;
}

FakeEnum& FakeWorld::NewEnum(const std::string& label, std::vector<ValueMaker> items) {
    auto fake = std::make_unique<FakeEnum>(label, std::move(items));
    FakeEnum& result = *fake;
    fakes_.push_back(std::move(fake));
    enumerators_.push_back(&result);
    return result;
}

FakeDispatch& FakeWorld::NewCollection(const std::string& label, std::vector<ValueMaker> items,
                                       std::function<void(FakeEnum&)> configure) {
    FakeDispatch& collection = NewDispatch(label);
    collection.AddMember(
        L"_NewEnum", DISPATCH_PROPERTYGET,
        [this, label, items, configure](const std::vector<VARIANT*>&, VARIANT& result) {
            FakeEnum& enumerator = NewEnum(label + " enumerator", items);
            if (configure) configure(enumerator);
            Object(enumerator)(result);
            return S_OK;
        });
    return collection;
}

std::vector<std::string> FakeWorld::Unbalanced() const {
    std::vector<std::string> unbalanced;
    for (const auto& fake : fakes_) {
        if (fake->References() != 0 || fake->OverReleased()) {
            unbalanced.push_back(fake->Label() + (fake->OverReleased() ? " released too often"
                                                                       : " still referenced"));
        }
    }
    return unbalanced;
}

namespace {

FakeDispatch& MakeResultSet(FakeWorld& world, const std::string& query,
                            const std::vector<std::vector<FakeProperty>>& objects,
                            const FakeWmiOptions& options,
                            std::vector<FakeDispatch*>& propertySets) {
    std::vector<ValueMaker> objectItems;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        const std::string label = query + " object " + std::to_string(i);
        std::vector<ValueMaker> propertyItems;
        std::vector<FakeDispatch*> properties;
        for (const FakeProperty& property : objects[i]) {
            FakeDispatch& fake = world.NewDispatch(label + " property");
            if (options.propertyNamesReadable) {
                fake.AddProperty(L"Name", Text(property.name));
            } else {
                fake.AddMember(
                    L"Name", DISPATCH_PROPERTYGET,
                    [](const std::vector<VARIANT*>&, VARIANT&) { return DISP_E_EXCEPTION; });
            }
            fake.AddMember(
                L"Value", DISPATCH_PROPERTYGET,
                [value = property.value, options](const std::vector<VARIANT*>&, VARIANT& result) {
                    if (options.onValueRead) options.onValueRead();
                    value(result);
                    return S_OK;
                });
            propertyItems.push_back(Object(fake));
            properties.push_back(&fake);
        }
        FakeDispatch* propertySet;
        if (options.enumerableProperties) {
            propertySet = &world.NewCollection(
                label + " property set", propertyItems,
                [at = options.failPropertyNextAt](FakeEnum& e) { e.failNextAt = at; });
        } else {
            propertySet = &world.NewDispatch(label + " property set");
            propertySet->AddMember(
                L"_NewEnum", DISPATCH_PROPERTYGET,
                [](const std::vector<VARIANT*>&, VARIANT&) { return DISP_E_MEMBERNOTFOUND; });
        }
        // Like WMI's property sets, Item finds a name in any letter case.
        propertySet->AddMember(
            L"Item", DISPATCH_METHOD,
            [names = objects[i], properties](const std::vector<VARIANT*>& arguments,
                                             VARIANT& result) {
                if (arguments.empty() || arguments[0]->vt != VT_BSTR) return E_INVALIDARG;
                for (std::size_t p = 0; p < names.size(); ++p) {
                    if (SameNameIgnoringCase(names[p].name, arguments[0]->bstrVal)) {
                        Object (*properties[p])(result);
                        return S_OK;
                    }
                }
                return kWbemNotFound;
            });
        propertySets.push_back(propertySet);
        FakeDispatch& object = world.NewDispatch(label);
        object.AddProperty(L"Properties_", Object(*propertySet));
        objectItems.push_back(Object(object));
    }
    return world.NewCollection(query + " result set", objectItems,
                               [at = options.failObjectNextAt](FakeEnum& e) { e.failNextAt = at; });
}

}  // namespace

FakeWmi::FakeWmi(FakeWorld& world, std::vector<std::vector<FakeProperty>> objects,
                 FakeWmiOptions options)
    : FakeWmi(world, std::map<std::wstring, Objects>{{kAnyQuery, std::move(objects)}},
              std::move(options)) {}

FakeWmi::FakeWmi(FakeWorld& world, const std::map<std::wstring, Objects>& byQuery,
                 FakeWmiOptions options) {
    std::map<std::wstring, FakeDispatch*> resultSets;
    for (const auto& [query, objects] : byQuery) {
        resultSets[query] =
            &MakeResultSet(world, WideToNarrowForLabel(query), objects, options, propertySets_);
    }
    services_ = &world.NewDispatch("services");
    services_->AddMember(L"ExecQuery", DISPATCH_METHOD,
                         [resultSets](const std::vector<VARIANT*>& arguments, VARIANT& result) {
                             if (arguments.empty() || arguments[0]->vt != VT_BSTR)
                                 return E_INVALIDARG;
                             auto found = resultSets.find(kAnyQuery);
                             if (found == resultSets.end())
                                 found = resultSets.find(arguments[0]->bstrVal);
                             if (found == resultSets.end()) return kWbemInvalidQuery;
                             Object (*found->second)(result);
                             return S_OK;
                         });
    locator_ = &world.NewDispatch("locator");
    locator_->AddMember(L"ConnectServer", DISPATCH_METHOD,
                        [services = services_, hr = options.connectResult](
                            const std::vector<VARIANT*>&, VARIANT& result) {
                            if (FAILED(hr)) return hr;
                            Object (*services)(result);
                            return S_OK;
                        });
}
