// Times DetectHardware against the same WMI work done through raw COM: six
// connections, queries and property reads (the walk, or Item by name where a
// property set cannot be walked), with no message processing and no text
// conversion. For information, also one connection reading the six values
// directly. Usage: detect_bench [runs]   (default 20)
#include <oaidl.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <vector>

#include "evaluation/requirements.h"
#include "probe/com_owners.h"
#include "probe/detect_hardware.h"
#include "runtime/window_runtime.h"
#include "tools/bench/best_time.h"

namespace {

struct WmiRead {
    const wchar_t* query;
    const wchar_t* property;
};
constexpr WmiRead kReads[] = {
    {L"Select * From Win32_VideoController", L"AdapterRAM"},
    {L"Select * From Win32_Processor", L"MaxClockSpeed"},
    {L"Select * From Win32_Processor", L"NumberOfLogicalProcessors"},
    {L"Select * From Win32_Processor", L"Name"},
    {L"Select * From Win32_VideoController", L"Description"},
    {L"Select * From Win32_OperatingSystem", L"Caption"},
};

// Late-bound call with text arguments and `omitted` missing ones.
Variant Call(IDispatch* object, const wchar_t* member, WORD kind,
             std::initializer_list<const wchar_t*> texts = {}, int omitted = 0) {
    Variant result;
    if (!object) return result;
    LPOLESTR name = const_cast<LPOLESTR>(member);
    DISPID id;
    if (FAILED(object->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id))) return result;
    std::vector<VARIANT> arguments(texts.size() + static_cast<std::size_t>(omitted));
    std::size_t slot = 0;
    for (int i = 0; i < omitted; ++i, ++slot) {
        arguments[slot].vt = VT_ERROR;
        arguments[slot].scode = DISP_E_PARAMNOTFOUND;
    }
    for (auto it = std::rbegin(texts); it != std::rend(texts); ++it, ++slot) {
        arguments[slot].vt = VT_BSTR;
        arguments[slot].bstrVal = SysAllocString(*it);
    }
    DISPPARAMS parameters{arguments.empty() ? nullptr : arguments.data(), nullptr,
                          static_cast<UINT>(arguments.size()), 0};
    if (FAILED(object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &parameters, result.Out(),
                              nullptr, nullptr)))
        result.Clear();
    for (VARIANT& argument : arguments) VariantClear(&argument);
    return result;
}

ComPtr<IDispatch> AsObject(const Variant& value) {
    return value.Type() == VT_DISPATCH ? ComPtr<IDispatch>::FromBorrowed(value.Raw().pdispVal)
                                       : ComPtr<IDispatch>();
}

ComPtr<IEnumVARIANT> EnumeratorOf(IDispatch* collection) {
    ComPtr<IEnumVARIANT> enumerator;
    const Variant newEnum = Call(collection, L"_NewEnum", DISPATCH_PROPERTYGET);
    if (newEnum.Type() == VT_UNKNOWN || newEnum.Type() == VT_DISPATCH)
        newEnum.Raw().punkVal->QueryInterface(IID_IEnumVARIANT,
                                              reinterpret_cast<void**>(enumerator.Out()));
    return enumerator;
}

ComPtr<IDispatch> Connect() {
    CLSID classId;
    ComPtr<IDispatch> locator;
    if (FAILED(CLSIDFromProgID(L"WbemScripting.SWbemLocator", &classId))) return {};
    CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                     reinterpret_cast<void**>(locator.Out()));
    return AsObject(
        Call(locator.Get(), L"ConnectServer", DISPATCH_METHOD, {L".", L"root\\CIMV2"}, 6));
}

// The last object's value of the property, as the probe reads it, in raw COM.
Variant ReadByWalk(IDispatch* services, const WmiRead& read) {
    Variant kept;
    const ComPtr<IDispatch> resultSet =
        AsObject(Call(services, L"ExecQuery", DISPATCH_METHOD, {read.query}, 3));
    const ComPtr<IEnumVARIANT> objects = EnumeratorOf(resultSet.Get());
    if (!objects) return kept;
    Variant element;
    ULONG fetched = 0;
    while (objects->Next(1, element.Out(), &fetched) == S_OK && fetched == 1) {
        const ComPtr<IDispatch> object = AsObject(element);
        const ComPtr<IDispatch> propertySet =
            AsObject(Call(object.Get(), L"Properties_", DISPATCH_PROPERTYGET));
        const ComPtr<IEnumVARIANT> properties = EnumeratorOf(propertySet.Get());
        if (!properties) {
            const ComPtr<IDispatch> property =
                AsObject(Call(propertySet.Get(), L"Item", DISPATCH_METHOD, {read.property}, 1));
            if (!property) continue;
            const Variant name = Call(property.Get(), L"Name", DISPATCH_PROPERTYGET);
            Variant value = Call(property.Get(), L"Value", DISPATCH_PROPERTYGET);
            if (name.Type() == VT_EMPTY ||
                (name.Type() == VT_BSTR && std::wcscmp(name.Raw().bstrVal, read.property) == 0))
                kept = std::move(value);
            continue;
        }
        Variant propertyElement;
        while (properties->Next(1, propertyElement.Out(), &fetched) == S_OK && fetched == 1) {
            const ComPtr<IDispatch> property = AsObject(propertyElement);
            const Variant name = Call(property.Get(), L"Name", DISPATCH_PROPERTYGET);
            Variant value = Call(property.Get(), L"Value", DISPATCH_PROPERTYGET);
            if (name.Type() == VT_BSTR && std::wcscmp(name.Raw().bstrVal, read.property) == 0)
                kept = std::move(value);
        }
    }
    return kept;
}

// One query and one Item read on the last object.
Variant ReadDirectly(IDispatch* services, const WmiRead& read) {
    const ComPtr<IDispatch> resultSet =
        AsObject(Call(services, L"ExecQuery", DISPATCH_METHOD, {read.query}, 3));
    const ComPtr<IEnumVARIANT> objects = EnumeratorOf(resultSet.Get());
    Variant element, last;
    ULONG fetched = 0;
    while (objects && objects->Next(1, element.Out(), &fetched) == S_OK && fetched == 1)
        last = std::move(element);
    const ComPtr<IDispatch> propertySet =
        AsObject(Call(AsObject(last).Get(), L"Properties_", DISPATCH_PROPERTYGET));
    const ComPtr<IDispatch> property =
        AsObject(Call(propertySet.Get(), L"Item", DISPATCH_METHOD, {read.property}, 1));
    return Call(property.Get(), L"Value", DISPATCH_PROPERTYGET);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    WindowRuntime::Initialize();

    int valuesFound = 0;
    const double detect = BestMilliseconds(runs, [] { DetectHardware(); });
    const double walk = BestMilliseconds(runs, [&] {
        valuesFound = 0;
        for (const WmiRead& read : kReads) {
            const ComPtr<IDispatch> services = Connect();
            valuesFound += ReadByWalk(services.Get(), read).Type() != VT_EMPTY;
        }
    });
    int directFound = 0;
    const double direct = BestMilliseconds(runs, [&] {
        directFound = 0;
        const ComPtr<IDispatch> services = Connect();
        for (const WmiRead& read : kReads)
            directFound += ReadDirectly(services.Get(), read).Type() != VT_EMPTY;
    });

    const HardwareProfile& p = gHardwareProfile;
    std::printf("profile: cpu %d MHz (%d x %d), memory %d MB, video %d MB, disk %d GB\n", p.cpuMhz,
                p.maxClockMhz, p.logicalProcessors, p.memoryMb, p.videoMemoryMb, p.diskFreeGb);
    std::printf("best of %d runs\n", runs);
    std::printf("DetectHardware                         %8.2f ms\n", detect);
    std::printf("raw COM, six connections and reads     %8.2f ms  (%d of 6 values)\n", walk,
                valuesFound);
    std::printf("raw COM, one connection, direct reads  %8.2f ms  (%d of 6 values)\n", direct,
                directFound);
    std::printf("DetectHardware / six-connection baseline  %.2f (goal <= 1.2)\n", detect / walk);
    std::printf("DetectHardware / one-connection reads     %.2f\n", detect / direct);
    return 0;
}
