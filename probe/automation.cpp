#include "probe/automation.h"

#include <vector>

std::wstring AnsiToWide(std::string_view text) {
    if (text.empty()) return {};
    const int length =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string WideToAnsi(const wchar_t* text, std::size_t length) {
    if (!text || length == 0) return {};
    const int size = WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0,
                                         nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), ansi.data(), size, nullptr,
                        nullptr);
    return ansi;
}

ComPtr<IDispatch> CreateObjectByProgId(const wchar_t* progId) {
    CLSID classId;
    ComPtr<IDispatch> object;
    if (FAILED(CLSIDFromProgID(progId, &classId))) return object;
    if (FAILED(CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                IID_IDispatch, reinterpret_cast<void**>(object.Out())))) {
        object = ComPtr<IDispatch>();
    }
    return object;
}

namespace {

Variant Invoke(IDispatch* object, const wchar_t* member, WORD kind, VARIANT* reversedArguments,
               UINT argumentCount) {
    Variant result;
    if (!object) return result;
    LPOLESTR name = const_cast<LPOLESTR>(member);
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(object->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id))) return result;
    DISPPARAMS parameters{reversedArguments, nullptr, argumentCount, 0};
    if (FAILED(object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &parameters, result.Out(),
                              nullptr, nullptr))) {
        result.Clear();
    }
    return result;
}

}  // namespace

Variant GetAutomationProperty(IDispatch* object, const wchar_t* member) {
    return Invoke(object, member, DISPATCH_PROPERTYGET, nullptr, 0);
}

Variant CallAutomationMethod(IDispatch* object, const wchar_t* member,
                             std::initializer_list<std::wstring_view> arguments, int omitted) {
    // DISPPARAMS lists arguments last first: the missing ones, then the
    // given ones in reverse.
    std::vector<Variant> reversed(arguments.size() + static_cast<std::size_t>(omitted));
    std::size_t slot = 0;
    for (int i = 0; i < omitted; ++i, ++slot) {
        VARIANT& missing = reversed[slot].Raw();
        missing.vt = VT_ERROR;
        missing.scode = DISP_E_PARAMNOTFOUND;
    }
    for (auto it = std::rbegin(arguments); it != std::rend(arguments); ++it, ++slot) {
        Bstr text(*it);
        VARIANT& argument = reversed[slot].Raw();
        argument.vt = VT_BSTR;
        argument.bstrVal = text.Detach();
    }
    // Variant is layout-compatible with VARIANT: it holds one and nothing else.
    static_assert(sizeof(Variant) == sizeof(VARIANT));
    return Invoke(object, member, DISPATCH_METHOD,
                  reversed.empty() ? nullptr : &reversed.front().Raw(),
                  static_cast<UINT>(reversed.size()));
}

ComPtr<IDispatch> VariantToObject(const VARIANT& value) {
    if (value.vt == VT_DISPATCH) return ComPtr<IDispatch>::FromBorrowed(value.pdispVal);
    ComPtr<IDispatch> object;
    if (value.vt == VT_UNKNOWN && value.punkVal) {
        value.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(object.Out()));
    }
    return object;
}

ComPtr<IUnknown> VariantToUnknown(const VARIANT& value) {
    if (value.vt == VT_DISPATCH || value.vt == VT_UNKNOWN) {
        return ComPtr<IUnknown>::FromBorrowed(value.punkVal);
    }
    return ComPtr<IUnknown>();
}

std::string VariantToText(const VARIANT& value) {
    if (value.vt == VT_BSTR) return WideToAnsi(value.bstrVal, SysStringLen(value.bstrVal));
    // Converting an object would call its default member; objects and arrays
    // have no text form here.
    const VARTYPE base = value.vt & VT_TYPEMASK;
    if ((value.vt & VT_ARRAY) || base == VT_DISPATCH || base == VT_UNKNOWN) return {};
    Variant text;
    if (FAILED(VariantChangeType(text.Out(), const_cast<VARIANT*>(&value), 0, VT_BSTR))) return {};
    return WideToAnsi(text.Raw().bstrVal, SysStringLen(text.Raw().bstrVal));
}
