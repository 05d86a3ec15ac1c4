#include "probe/wmi_query.h"

#include "probe/automation.h"
#include "probe/com_enumerator.h"
#include "probe/platform_hooks.h"

namespace {

// Keeps the property's value when its name is exactly the wanted one, byte
// for byte.
void TakeValueIfNamed(IDispatch* property, const std::string& propertyName, std::string& kept) {
    if (!property) return;
    const std::string name = VariantToText(GetAutomationProperty(property, L"Name").Raw());
    const std::string value = VariantToText(GetAutomationProperty(property, L"Value").Raw());
    if (name == propertyName) kept = value;
}

// For property sets that cannot be walked (Wine's): asks for the one property
// by name, which gives the value the walk would have found. Item ignores
// letter case, so the name is checked again where it can be read; Wine cannot
// read it, and there Item's match stands.
void TakeValueByItem(IDispatch* propertySet, const std::string& propertyName, std::string& kept) {
    const ComPtr<IDispatch> property = VariantToObject(
        CallAutomationMethod(propertySet, L"Item", {AnsiToWide(propertyName)}, 1).Raw());
    if (!property) return;
    const Variant name = GetAutomationProperty(property.Get(), L"Name");
    const std::string value = VariantToText(GetAutomationProperty(property.Get(), L"Value").Raw());
    const bool nameUnreadable = name.Type() == VT_EMPTY;
    if (nameUnreadable || VariantToText(name.Raw()) == propertyName) kept = value;
}

}  // namespace

std::string QueryWmiProperty(const std::string& query, const std::string& propertyName) {
    std::string kept;
    const ComPtr<IDispatch> locator = CreateWmiLocator();
    const ComPtr<IDispatch> services = VariantToObject(
        CallAutomationMethod(locator.Get(), L"ConnectServer", {L".", L"root\\CIMV2"}, 6).Raw());
    const ComPtr<IDispatch> resultSet = VariantToObject(
        CallAutomationMethod(services.Get(), L"ExecQuery", {AnsiToWide(query)}, 3).Raw());

    ComEnumerator objects;
    ComEnumerator properties;
    // Receives the elements of both walks; each result object is held in a
    // reference of its own while its properties are fetched into it.
    Variant element;
    if (!objects.Open(resultSet.Get())) return kept;
    while (objects.Next(element)) {
        const ComPtr<IDispatch> object = VariantToObject(element.Raw());
        {
            const ComPtr<IDispatch> propertySet =
                VariantToObject(GetAutomationProperty(object.Get(), L"Properties_").Raw());
            if (!properties.Open(propertySet.Get())) {
                if (propertySet) {
                    ProcessEventsDuringQuery();
                    TakeValueByItem(propertySet.Get(), propertyName, kept);
                }
                continue;
            }
        }
        while (properties.Next(element)) {
            ProcessEventsDuringQuery();
            const ComPtr<IDispatch> property = VariantToObject(element.Raw());
            TakeValueIfNamed(property.Get(), propertyName, kept);
        }
    }
    return kept;
}
